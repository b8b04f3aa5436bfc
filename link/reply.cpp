#include "reply.h"

#include "link.h"

#include <algorithm>

namespace zelmar {

Reply receive(Link& link, int count) {
    link.DATEN_EMPFANGEN(count);
    Reply r;
    r.statusCode = link.STATUS_CODE;
    r.statusText = link.STATUS_TEXT;
    if (refused(r.statusCode)) {
        // Nothing of this frame came: the link's buffers may hold another read's bytes.
        r.outcome = Reply::Outcome::Refused;
        return r;
    }
    r.outcome = r.statusCode == STATUS_OK ? Reply::Outcome::Done : Reply::Outcome::LineFailed;
    const int n = std::min(link.bytesRead(), std::max(count, 1));
    if (count <= 1) {
        if (n > 0)
            r.bytes.append(char(link.EMPFANGSBYTE));
    } else {
        r.bytes = QByteArray(reinterpret_cast<const char*>(link.EMPFANGSPUFFER.data() + 1), n);
    }
    if (r.done() && count >= 4)
        r.value32 = link.EMPFANGSWERT_32;
    return r;
}

Reply receiveStatusPair(Link& link) {
    const Reply first = receive(link, 1);
    if (!first.done())
        return first;
    Reply r = receive(link, 1);
    r.bytes.prepend(first.bytes);
    if (r.done() && r.byte(1) != 0)
        r.outcome = Reply::Outcome::NotAcknowledged;
    return r;
}

} // namespace zelmar
