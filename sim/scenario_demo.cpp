#include "scenario.h"

namespace zelmar::sim {

// The apartment: a central unit with the master clock, three room controllers, the weather
// station, the solar controller, the boiler and the buffer tank in the heating house, the
// 64 KiB log EEPROM and a small configuration EEPROM.
QByteArray Scenario::demoJson() {
    return QByteArrayLiteral(R"({
  "name": "Wohnung",
  "interface": { "name": "RS232-TWI V1.0", "clockHz": 16000000, "supplyVolts": 12.2,
                 "line": "19200,n,8,1", "twbr": 72, "prescaler": 0 },
  "devices": [
    { "type": "atmega8", "address": 8, "name": "ZENTRALE", "clock": "now", "batteryClock": true,
      "values": {
        "120": { "model": "wave", "mean": 55.0, "amplitude": 4.0, "periodS": 2400, "noise": 0.3, "scale": 10 },
        "121": { "model": "wave", "mean": 42.0, "amplitude": 3.0, "periodS": 2400, "phaseS": 300, "noise": 0.3 },
        "150": { "model": "constant", "value": 18734 } } },
    { "type": "atmega8", "address": 20, "name": "WOHNZIMMER WZ",
      "room": { "setpoint": 21.5, "swing": 0.6, "periodS": 1500, "phaseS": 0 },
      "values": {
        "120": { "model": "roomTemperature", "noise": 0.05, "scale": 10 },
        "121": { "model": "heating", "mean": 38, "amplitude": 16, "noise": 0.5 } } },
    { "type": "atmega8", "address": 40, "name": "ARBEITSZIMMER AZ",
      "room": { "setpoint": 20.0, "swing": 0.5, "periodS": 1900, "phaseS": 700 },
      "values": {
        "120": { "model": "roomTemperature", "noise": 0.05, "scale": 10 },
        "121": { "model": "heating", "mean": 36, "amplitude": 14, "noise": 0.5 } } },
    { "type": "atmega8", "address": 44, "name": "WETTERSTATION",
      "site": { "latitude": 51.3, "longitude": 9.5, "utcOffsetHours": 1 }, "sixteenBit": [120],
      "values": {
        "120": { "model": "daily", "mean": 4.0, "amplitude": 6.0, "peakHour": 15, "noise": 0.8, "scale": 10 },
        "121": { "model": "daily", "mean": 75, "amplitude": -15, "peakHour": 15, "noise": 3 },
        "150": { "model": "wave", "mean": 1013, "amplitude": 9, "periodS": 259200, "noise": 1.5 },
        "151": { "model": "sun", "amplitude": 850, "noise": 0.4 },
        "152": { "model": "sunrise" },
        "153": { "model": "sunset" } } },
    { "type": "atmega8", "address": 45, "name": "SOLARANLAGE",
      "site": { "latitude": 51.3, "longitude": 9.5, "utcOffsetHours": 1 },
      "values": {
        "120": { "model": "daily", "mean": 28.0, "amplitude": 22.0, "peakHour": 13.5, "noise": 1.0, "scale": 10 },
        "121": { "model": "wave", "mean": 46, "amplitude": 3, "periodS": 7200, "noise": 0.5 } } },
    { "type": "atmega8", "address": 60, "name": "KUECHE",
      "room": { "setpoint": 19.5, "swing": 0.7, "periodS": 1300, "phaseS": 400 },
      "values": {
        "120": { "model": "roomTemperature", "noise": 0.08, "scale": 10 },
        "121": { "model": "heating", "mean": 35, "amplitude": 15, "noise": 0.5 } } },
    { "type": "atmega8", "address": 65, "name": "HEIZHAUS KESSEL",
      "values": {
        "120": { "model": "wave", "mean": 70.0, "amplitude": 3.0, "periodS": 1800, "noise": 0.4, "scale": 10 },
        "121": { "model": "wave", "mean": 55.0, "amplitude": 2.0, "periodS": 1800, "phaseS": 200, "noise": 0.4 } } },
    { "type": "atmega8", "address": 66, "name": "HEIZHAUS PUFFER",
      "values": {
        "120": { "model": "wave", "mean": 72.0, "amplitude": 1.5, "periodS": 5400, "noise": 0.2, "scale": 10 },
        "121": { "model": "wave", "mean": 55.0, "amplitude": 1.5, "periodS": 5400, "phaseS": 900, "noise": 0.2 } } },
    { "type": "eeprom", "address": 80, "size": 65536,
      "data": { "0": "text:HEIZUNG LOG 1", "16": "07 01 18 D5 00 2C 01 DC" } },
    { "type": "eeprom", "address": 81, "size": 128,
      "data": { "0": "08 14 28 2C 2D 3C 41 42" } }
  ]
})");
}

Scenario Scenario::demo() {
    return *fromJson(demoJson());
}

} // namespace zelmar::sim
