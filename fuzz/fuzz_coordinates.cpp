// Coordinate, altitude and number parsing on arbitrary text: the reader
// hands them whatever follows a keyword, up to a line's length.
#include "airspace.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char line[R8_TOKEN_MAX + 1];
    const size_t n = size < size_t(R8_TOKEN_MAX) ? size : size_t(R8_TOKEN_MAX);
    memcpy(line, data, n);
    line[n] = 0;

    char work[R8_TOKEN_MAX + 1];
    _GEO_COORDS coords[4];
    memcpy(work, line, n + 1);
    const int count = GetCoordinates(work, coords, 4);
    if (count < 0 || count > 4)
        abort();
    memcpy(work, line, n + 1);
    GetAltitude(work);
    memcpy(work, line, n + 1);
    GetCoordinate(work);
    memcpy(work, line, n + 1);
    float values[8];
    const int floats = GetFloats(work, values, 8);
    if (floats < 0 || floats > 8)
        abort();
    memcpy(work, line, n + 1);
    Trim(work);
    ReadNumber(line);
    DecodeName(line, int(n));
    return 0;
}
