// The dump file check (DUMP_PRUEFEN): whatever file stands under the dump's name, its lines
// are counted as the settings readers count lines, and the report says complete only for
// exactly 65536 of them.
#include "fuzzsupport.h"

#include "files/eepromdump.h"
#include "files/textfile.h"

#include <QLocale>

using namespace zelmar;
using fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = dump::DUMP_DATEINAME(fuzz::scratch(), 80);
    fuzz::put(path, QByteArray(reinterpret_cast<const char*>(data), int(size)));
    const qint64 zeilen = dump::zeilenZaehlen(path);
    check(zeilen == textfile::readLines(path, 1 << 30).size(), "lines counted as files are read");
    const QString bericht = dump::pruefBericht(path, zeilen, QLocale(QLocale::German));
    check(bericht.contains(QLatin1String("erfolgreich")) == (zeilen == dump::ZEILEN),
          "success only for 65536 lines");
    return 0;
}
