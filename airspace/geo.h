#pragma once

// One position in decimal degrees, north and east positive.
struct _GEO_COORDS {
    double lat;
    double lon;
};

// One position in radians, latitude first, east positive.
struct _Radian_Type {
    double lat;
    double lon;
};

// Distances, courses and destination points on an ellipsoid (WGS-84 unless
// told otherwise), by Vincenty's iterative inverse and direct solutions.
// Positions are kept in radians, distances in kilometres.
class CGeo
{
public:
    CGeo();
    // Another ellipsoid: semi-major axis in kilometres and flattening.
    CGeo(double dSemiMajorKm, double dFlattening);
    virtual ~CGeo();

    // Origin.
    void SetCoordinate(double dLat, double dLon);     // degrees
    void SetRadsCoordinate(double dLat, double dLon); // radians
    void SetRadsCoordinate(_Radian_Type rad);
    void SetCoordinateDegrees(const _GEO_COORDS* pCoords);
    void SetCoordinateRadians(const _GEO_COORDS* pCoords);
    // Hemisphere letter ('N'/'S', 'E'/'W'), whole degrees and decimal minutes,
    // or whole degrees, whole minutes and decimal seconds.
    void SetCoordinate(char cLatHemi, int iLatDeg, double dLatMin, char cLonHemi, int iLonDeg, double dLonMin);
    void SetCoordinate(char cLatHemi, int iLatDeg, int iLatMin, double dLatSec, char cLonHemi, int iLonDeg,
                       int iLonMin, double dLonSec);

    // Destination.
    void SetDestinationCoordinate(double dLat, double dLon);     // degrees
    void SetDestinationRadsCoordinate(double dLat, double dLon); // radians
    void SetDestinationRadsCoordinate(_Radian_Type rad);
    void SetDestinationCoordinateDegrees(const _GEO_COORDS* pCoords);
    void SetDestinationCoordinateRadians(const _GEO_COORDS* pCoords);
    void SetDestinationCoordinate(char cLatHemi, int iLatDeg, double dLatMin, char cLonHemi, int iLonDeg,
                                  double dLonMin);
    void SetDestinationCoordinate(char cLatHemi, int iLatDeg, int iLatMin, double dLatSec, char cLonHemi,
                                  int iLonDeg, int iLonMin, double dLonSec);

    // Inverse problem, origin to destination: distance and both courses.
    // 0 (nothing changed) for coincident or antipodal points.
    int Calculate();
    // Direct problem: destination from the origin, course in radians,
    // distance in kilometres.
    int Calculate(double dCourse, double dDistance);

    double GetDistance() const; // km
    double GetCourseTo() const; // degrees
    double GetCourseToRads() const;
    double GetCourseFrom() const;     // reverse of the forward course, degrees
    double GetCourseFromRads() const; // backward azimuth at the destination
    double GetNorthVector() const;
    double GetWestVector() const;
    _Radian_Type GetRadsCoordinate() const;
    _Radian_Type GetDestinationRadsCoordinate() const;
    void GetDestinationRadsCoordinate(double* pLat, double* pLon) const;
    void GetDestinationCoordinate(double* pLat, double* pLon) const; // degrees
    void GetDestinationCoordinate(_GEO_COORDS* pCoords) const;       // degrees

    // Arc tangent in [0, 2*pi); 0 for (0, 0) and for NaN.
    static double myatan2(double y, double x);
    // Remainder of x / 2*pi with the sign of x.
    static double modcrs(double x);

private:
    double dDistance = 0.0;
    double dOriginLat = 0.0;
    double dOriginLon = 0.0;
    double dDestLat = 0.0;
    double dDestLon = 0.0;
    double dCourseTo = 0.0;
    double dCourseFrom = 0.0;

    double dA; // semi-major axis, nautical miles
    double dF; // flattening
    double dR; // 1 - f
};

// Angle wrapped into [0, 2*pi), with 2*pi at float precision.
float modcrs(float x);

constexpr double R8_DEG_PER_RAD = 57.29577951308232;
constexpr double R8_KM_PER_NM = 1.852;
