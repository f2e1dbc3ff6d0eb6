// The instrument reply parser and the port list parser on arbitrary bytes:
// whatever comes down the wire, the parser must stay inside its buffers and
// only ever report one of its result codes.
#include "fuzzsupport.h"
#include "zvcomport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NmeaReplyParser parser;
    for (size_t i = 0; i < size; ++i) {
        const int result = parser.ParseChar(static_cast<char>(data[i]));
        if (result != R8_REPLY_NONE && result != R8_REPLY_IDENT && result != R8_REPLY_ACK && result != R8_REPLY_NAK)
            abort();
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    ParseExtraPorts(QString::fromUtf8(bytes));
    const QByteArray framed = FrameSentence(bytes);
    if (size <= size_t(R8_MAX_BODY_BYTES) && !framed.startsWith('$'))
        abort();
    if (size > size_t(R8_MAX_BODY_BYTES) && !framed.isEmpty())
        abort(); // an over-long body must never be framed
    return 0;
}
