// The OpenAir reader on arbitrary bytes: read into the airspace store as the
// airspace dialog does, estimate the memory, filter and fill around a place,
// and build the upload batch, whose every body (sent as Latin-1) must stay
// within what the instrument takes.
#include "airspacefilter.h"
#include "airspacestore.h"
#include "fuzzsupport.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartFuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    AirspaceStore store;
    store.LoadData(QString(), QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size)));
    AirspaceFilter filter;
    filter.bNear = true;
    filter.place = {46.0, 6.0};
    filter.radiusKm = 200.0;
    FillToFit(store, filter);
    if (store.ComputeSize() > R8_AIRSPACE_CAPACITY)
        abort();
    store.SetAllChecked(true);
    store.ComputeSize();
    for (const QString& body : store.BuildBatch())
        if (body.size() > 255 || body.toLatin1().size() > 255) {
            fprintf(stderr, "body of %d bytes: %s\n", int(body.toLatin1().size()), body.toLatin1().constData());
            abort();
        }
    return 0;
}
