#include "scenario.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace zelmar::sim {

namespace {

QByteArray bytesFrom(const QString& text, bool* ok) {
    *ok = true;
    if (text.startsWith(QLatin1String("text:")))
        return text.mid(5).toLatin1();
    QString hex = text;
    hex.remove(QLatin1Char(' '));
    for (QChar c : hex) {
        if (!c.isDigit() && !QStringLiteral("abcdefABCDEF").contains(c)) {
            *ok = false;
            return {};
        }
    }
    *ok = hex.size() % 2 == 0;
    return QByteArray::fromHex(hex.toLatin1());
}

QString hexOf(const QByteArray& b) {
    return QString::fromLatin1(b.toHex(' ')).toUpper();
}

QJsonArray sortedList(const QSet<int>& set) {
    QList<int> l = set.values();
    std::sort(l.begin(), l.end());
    QJsonArray a;
    for (int n : l)
        a.append(n);
    return a;
}

bool fail(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

bool readRoom(const QJsonObject& o, Room& r) {
    r.setpoint = o.value(QStringLiteral("setpoint")).toDouble(r.setpoint);
    r.swing = o.value(QStringLiteral("swing")).toDouble(r.swing);
    r.periodS = o.value(QStringLiteral("periodS")).toDouble(r.periodS);
    r.phaseS = o.value(QStringLiteral("phaseS")).toDouble(r.phaseS);
    r.savingK = o.value(QStringLiteral("savingK")).toDouble(r.savingK);
    return r.periodS > 0;
}

bool isValueCode(int code) {
    return (code >= 120 && code <= 124) || (code >= 150 && code <= 154);
}

bool readSlave(const QJsonObject& o, DeviceConfig& d, QString* error) {
    Atmega8Slave::Config& c = d.slave;
    c.name = o.value(QStringLiteral("name")).toString().toLatin1();
    c.batteryClock = o.value(QStringLiteral("batteryClock")).toBool(false);
    c.clockPpm = o.value(QStringLiteral("clockPpm")).toDouble(0);
    c.switchByte = static_cast<quint8>(o.value(QStringLiteral("switch")).toInt(0));
    c.saving = o.value(QStringLiteral("saving")).toBool(false);
    c.generalCall = o.value(QStringLiteral("generalCall")).toBool(false);
    d.clock = o.value(QStringLiteral("clock")).toString(QStringLiteral("now"));
    if (d.clock != QLatin1String("now") && d.clock != QLatin1String("reset") &&
        !QDateTime::fromString(d.clock, Qt::ISODate).isValid())
        return fail(error, QStringLiteral("slave %1: clock \"%2\" is not now, reset or a date")
                               .arg(c.address)
                               .arg(d.clock));
    if (o.contains(QStringLiteral("room")) &&
        !readRoom(o.value(QStringLiteral("room")).toObject(), c.room))
        return fail(error, QStringLiteral("slave %1: bad room").arg(c.address));
    const QJsonObject site = o.value(QStringLiteral("site")).toObject();
    c.site.latitude = site.value(QStringLiteral("latitude")).toDouble(c.site.latitude);
    c.site.longitude = site.value(QStringLiteral("longitude")).toDouble(c.site.longitude);
    c.site.utcOffsetHours =
        site.value(QStringLiteral("utcOffsetHours")).toDouble(c.site.utcOffsetHours);
    const QJsonObject values = o.value(QStringLiteral("values")).toObject();
    for (auto it = values.begin(); it != values.end(); ++it) {
        bool ok = false;
        const int code = it.key().toInt(&ok);
        if (!ok || !isValueCode(code))
            return fail(error,
                        QStringLiteral("slave %1: no value code %2").arg(c.address).arg(it.key()));
        QString why;
        const auto source = ValueSource::fromJson(it.value().toObject(), &why);
        if (!source)
            return fail(error,
                        QStringLiteral("slave %1, value %2: %3").arg(c.address).arg(code).arg(why));
        c.values.insert(code, *source);
    }
    const QJsonValue sixteen = o.value(QStringLiteral("sixteenBit"));
    if (!sixteen.isUndefined() && !sixteen.isArray())
        return fail(error, QStringLiteral("slave %1: sixteenBit is not a list").arg(c.address));
    for (const QJsonValue& v : sixteen.toArray()) {
        const int code = v.toInt(-1);
        if (!isValueCode(code))
            return fail(error, QStringLiteral("slave %1: no value code %2 to keep in 16 bits")
                                   .arg(c.address)
                                   .arg(v.toVariant().toString()));
        c.sixteenBit.insert(code);
    }
    return true;
}

bool readEeprom(const QJsonObject& o, DeviceConfig& d, QString* error) {
    SerialEeprom::Config& c = d.eeprom;
    const int address = c.address;
    const QJsonValue chip = o.value(QStringLiteral("chip"));
    int size = o.value(QStringLiteral("size")).toInt(65536);
    if (!chip.isUndefined()) {
        // A part of the family by name; its geometry is the family's, not to be given twice.
        const auto f = SerialEeprom::family(chip.toString(), address);
        if (!f)
            return fail(error, QStringLiteral("EEPROM %1: no chip \"%2\" (known: %3)")
                                   .arg(address)
                                   .arg(chip.toVariant().toString(),
                                        SerialEeprom::familyNames().join(QStringLiteral(", "))));
        for (const char* k : {"size", "pageSize", "addressBytes"})
            if (o.contains(QLatin1String(k)))
                return fail(error, QStringLiteral("EEPROM %1: %2 comes with the chip's name")
                                       .arg(address)
                                       .arg(QLatin1String(k)));
        c = *f;
        size = c.size;
        if (address != (address & ~((1 << c.blockBits) - 1)))
            return fail(error, QStringLiteral("EEPROM %1: a %2 answers from an address whose "
                                              "lowest %3 bits are 0")
                                   .arg(address)
                                   .arg(c.family)
                                   .arg(c.blockBits));
    } else {
        c = size <= 256 ? SerialEeprom::small(address) : SerialEeprom::large(address);
        c.size = size;
        c.pageSize = o.value(QStringLiteral("pageSize")).toInt(c.pageSize);
        c.addressBytes = o.value(QStringLiteral("addressBytes")).toInt(c.addressBytes);
    }
    c.writeCycleUs = o.value(QStringLiteral("writeCycleUs")).toInteger(c.writeCycleUs);
    c.writeProtected = o.value(QStringLiteral("writeProtected")).toBool(false);
    c.fill = static_cast<quint8>(o.value(QStringLiteral("fill")).toInt(0xFF));
    if (size < 1 || size > (65536 << c.blockBits) || c.pageSize < 1 || size % c.pageSize != 0 ||
        (c.addressBytes != 1 && c.addressBytes != 2) ||
        (c.addressBytes == 1 && size > (256 << c.blockBits)) || c.writeCycleUs < 0)
        return fail(
            error,
            QStringLiteral("EEPROM %1: size, page size or address bytes do not fit").arg(address));
    const QJsonValue stuck = o.value(QStringLiteral("stuck"));
    if (!stuck.isUndefined() && !stuck.isArray())
        return fail(error, QStringLiteral("EEPROM %1: stuck is not a list").arg(address));
    for (const QJsonValue& v : stuck.toArray()) {
        const int cell = v.toInt(-1); // -1 for anything but a whole number
        if (cell < 0 || cell >= size)
            return fail(error, QStringLiteral("EEPROM %1: no cell %2 to be stuck")
                                   .arg(address)
                                   .arg(v.toVariant().toString()));
        c.stuck.insert(cell);
    }
    const QJsonObject data = o.value(QStringLiteral("data")).toObject();
    for (auto it = data.begin(); it != data.end(); ++it) {
        bool offsetOk = false;
        bool ok = false;
        const int offset = it.key().toInt(&offsetOk);
        const QByteArray bytes = bytesFrom(it.value().toString(), &ok);
        if (!ok || !offsetOk || offset < 0 || offset + bytes.size() > size)
            return fail(error,
                        QStringLiteral("EEPROM %1: bad data at \"%2\"").arg(address).arg(it.key()));
        d.contents.insert(offset, bytes);
    }
    return true;
}

} // namespace

std::optional<Scenario> Scenario::fromJson(const QByteArray& json, QString* error) {
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &pe);
    if (!doc.isObject()) {
        fail(error, QStringLiteral("not a JSON object: %1").arg(pe.errorString()));
        return std::nullopt;
    }
    const QJsonObject root = doc.object();
    Scenario s;
    s.name = root.value(QStringLiteral("name")).toString();

    const QJsonObject itf = root.value(QStringLiteral("interface")).toObject();
    InterfaceConfig& i = s.interface;
    i.name = itf.value(QStringLiteral("name")).toString(QString::fromLatin1(i.name)).toLatin1();
    i.clockHz = static_cast<quint32>(itf.value(QStringLiteral("clockHz")).toInteger(i.clockHz));
    i.supplyVolts = itf.value(QStringLiteral("supplyVolts")).toDouble(i.supplyVolts);
    i.twbr = static_cast<quint8>(itf.value(QStringLiteral("twbr")).toInt(i.twbr));
    i.prescaler =
        static_cast<quint8>(itf.value(QStringLiteral("prescaler")).toInt(i.prescaler) & 3);
    const auto uart =
        LineSettings::parse(itf.value(QStringLiteral("line")).toString(i.uart.toString()));
    if (!uart || i.clockHz == 0) {
        fail(error, QStringLiteral("interface: bad line settings or clock"));
        return std::nullopt;
    }
    i.uart = *uart;

    const QJsonArray devices = root.value(QStringLiteral("devices")).toArray();
    for (const QJsonValue& v : devices) {
        const QJsonObject o = v.toObject();
        DeviceConfig d;
        const int address = o.value(QStringLiteral("address")).toInt(-1);
        if (address < 1 || address > 127) {
            fail(error, QStringLiteral("device address %1 outside 1..127").arg(address));
            return std::nullopt;
        }
        d.online = o.value(QStringLiteral("online")).toBool(true);
        const QString type = o.value(QStringLiteral("type")).toString();
        d.slave.address = address;
        d.eeprom.address = address;
        if (type == QLatin1String("atmega8")) {
            d.type = DeviceConfig::Type::Atmega8;
            if (!readSlave(o, d, error))
                return std::nullopt;
        } else if (type == QLatin1String("eeprom")) {
            d.type = DeviceConfig::Type::Eeprom;
            if (!readEeprom(o, d, error))
                return std::nullopt;
        } else {
            fail(error, QStringLiteral("device %1: unknown type \"%2\"").arg(address).arg(type));
            return std::nullopt;
        }
        s.devices.append(d);
    }

    const QJsonObject f = root.value(QStringLiteral("faults")).toObject();
    LineFaults& lf = s.lineFaults;
    lf.silent = f.value(QStringLiteral("silent")).toBool(false);
    lf.dropEvery = f.value(QStringLiteral("dropEvery")).toInt(0);
    lf.corruptEvery = f.value(QStringLiteral("corruptEvery")).toInt(0);
    lf.corruptMask =
        static_cast<quint8>(f.value(QStringLiteral("corruptMask")).toInt(lf.corruptMask));
    lf.garbageEvery = f.value(QStringLiteral("garbageEvery")).toInt(0);
    if (f.contains(QStringLiteral("garbage"))) {
        bool ok = false;
        lf.garbage = bytesFrom(f.value(QStringLiteral("garbage")).toString(), &ok);
        if (!ok || lf.garbage.isEmpty()) {
            fail(error, QStringLiteral("faults: bad garbage bytes"));
            return std::nullopt;
        }
    }
    if (lf.dropEvery < 0 || lf.corruptEvery < 0 || lf.garbageEvery < 0) {
        fail(error, QStringLiteral("faults: negative counts"));
        return std::nullopt;
    }
    s.busFaults.twintStuck = f.value(QStringLiteral("twintStuck")).toBool(false);
    s.busFaults.sdaStuckLow = f.value(QStringLiteral("sdaStuckLow")).toBool(false);
    s.busFaults.sclStuckLow = f.value(QStringLiteral("sclStuckLow")).toBool(false);
    return s;
}

std::optional<Scenario> Scenario::load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    return fromJson(file.readAll(), error);
}

QByteArray Scenario::toJson() const {
    QJsonObject root;
    root.insert(QStringLiteral("name"), name);
    QJsonObject itf;
    itf.insert(QStringLiteral("name"), QString::fromLatin1(interface.name).trimmed());
    itf.insert(QStringLiteral("clockHz"), static_cast<qint64>(interface.clockHz));
    itf.insert(QStringLiteral("supplyVolts"), interface.supplyVolts);
    itf.insert(QStringLiteral("line"), interface.uart.toString());
    itf.insert(QStringLiteral("twbr"), interface.twbr);
    itf.insert(QStringLiteral("prescaler"), interface.prescaler);
    root.insert(QStringLiteral("interface"), itf);

    QJsonArray devs;
    for (const DeviceConfig& d : devices) {
        QJsonObject o;
        if (d.type == DeviceConfig::Type::Atmega8) {
            const Atmega8Slave::Config& c = d.slave;
            o.insert(QStringLiteral("type"), QStringLiteral("atmega8"));
            o.insert(QStringLiteral("address"), c.address);
            o.insert(QStringLiteral("name"), QString::fromLatin1(c.name).trimmed());
            o.insert(QStringLiteral("clock"), d.clock);
            o.insert(QStringLiteral("batteryClock"), c.batteryClock);
            o.insert(QStringLiteral("clockPpm"), c.clockPpm);
            o.insert(QStringLiteral("switch"), c.switchByte);
            o.insert(QStringLiteral("saving"), c.saving);
            o.insert(QStringLiteral("generalCall"), c.generalCall);
            o.insert(QStringLiteral("room"),
                     QJsonObject{{QStringLiteral("setpoint"), c.room.setpoint},
                                 {QStringLiteral("swing"), c.room.swing},
                                 {QStringLiteral("periodS"), c.room.periodS},
                                 {QStringLiteral("phaseS"), c.room.phaseS},
                                 {QStringLiteral("savingK"), c.room.savingK}});
            o.insert(QStringLiteral("site"),
                     QJsonObject{{QStringLiteral("latitude"), c.site.latitude},
                                 {QStringLiteral("longitude"), c.site.longitude},
                                 {QStringLiteral("utcOffsetHours"), c.site.utcOffsetHours}});
            QJsonObject values;
            for (auto it = c.values.cbegin(); it != c.values.cend(); ++it)
                values.insert(QString::number(it.key()), it.value().toJson());
            o.insert(QStringLiteral("values"), values);
            if (!c.sixteenBit.isEmpty())
                o.insert(QStringLiteral("sixteenBit"), sortedList(c.sixteenBit));
        } else {
            const SerialEeprom::Config& c = d.eeprom;
            o.insert(QStringLiteral("type"), QStringLiteral("eeprom"));
            o.insert(QStringLiteral("address"), c.address);
            if (!c.family.isEmpty()) {
                o.insert(QStringLiteral("chip"), c.family);
            } else {
                o.insert(QStringLiteral("size"), c.size);
                o.insert(QStringLiteral("pageSize"), c.pageSize);
                o.insert(QStringLiteral("addressBytes"), c.addressBytes);
            }
            o.insert(QStringLiteral("writeCycleUs"), c.writeCycleUs);
            o.insert(QStringLiteral("writeProtected"), c.writeProtected);
            o.insert(QStringLiteral("fill"), c.fill);
            if (!c.stuck.isEmpty())
                o.insert(QStringLiteral("stuck"), sortedList(c.stuck));
            QJsonObject data;
            for (auto it = d.contents.cbegin(); it != d.contents.cend(); ++it)
                data.insert(QString::number(it.key()), hexOf(it.value()));
            o.insert(QStringLiteral("data"), data);
        }
        if (!d.online)
            o.insert(QStringLiteral("online"), false);
        devs.append(o);
    }
    root.insert(QStringLiteral("devices"), devs);

    QJsonObject f;
    f.insert(QStringLiteral("silent"), lineFaults.silent);
    f.insert(QStringLiteral("dropEvery"), lineFaults.dropEvery);
    f.insert(QStringLiteral("corruptEvery"), lineFaults.corruptEvery);
    f.insert(QStringLiteral("corruptMask"), lineFaults.corruptMask);
    f.insert(QStringLiteral("garbageEvery"), lineFaults.garbageEvery);
    f.insert(QStringLiteral("garbage"), hexOf(lineFaults.garbage));
    f.insert(QStringLiteral("twintStuck"), busFaults.twintStuck);
    f.insert(QStringLiteral("sdaStuckLow"), busFaults.sdaStuckLow);
    f.insert(QStringLiteral("sclStuckLow"), busFaults.sclStuckLow);
    root.insert(QStringLiteral("faults"), f);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace zelmar::sim
