// The OpenAir reader on arbitrary bytes: read into a tree as the airspace
// dialog does, estimate the memory and build the upload batch, whose every
// body (sent as Latin-1) must stay within what the instrument takes.
#include "airspace.h"
#include "aspacelist.h"
#include "fuzzsupport.h"

#include <QTreeWidgetItem>
#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartFuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto* file = new QTreeWidgetItem;
    AirSpace reader;
    reader.LoadFromData(file, QByteArray(reinterpret_cast<const char*>(data), int(size)));
    const QList<QTreeWidgetItem*> files{file};
    ASpaceList::ComputeSize(files);
    for (const QString& body : ASpaceList::BuildBatch(files))
        if (body.toLatin1().size() > 255) {
            fprintf(stderr, "body of %d bytes: %s\n", int(body.toLatin1().size()), body.toLatin1().constData());
            abort();
        }
    delete file;
    return 0;
}
