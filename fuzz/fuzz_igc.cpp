// The IGC reader and the flight computations on arbitrary bytes: whatever
// is read must give finite values and events in time order.
#include "flightfields.h"
#include "flighttrack.h"
#include "fuzzsupport.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartFuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    IgcLog log;
    QString error;
    if (!IgcFile::Read(QByteArray(reinterpret_cast<const char*>(data), int(size)), &log, &error))
        return 0;
    const FlightTrack track(log);
    for (int i = 0; i < track.FixCount(); ++i)
        if (!std::isfinite(track.Value(i, FlightQuantity::Vario))
            || !std::isfinite(track.Value(i, FlightQuantity::Speed))) {
            fprintf(stderr, "value not finite at fix %d\n", i);
            abort();
        }
    for (int e = 1; e < track.Events().size(); ++e)
        if (track.Events().at(e).iTime < track.Events().at(e - 1).iTime)
            abort();
    for (int id : FlightFields::AllMapped())
        FlightFields::Value(track, track.FixCount() - 1, id);
    return 0;
}
