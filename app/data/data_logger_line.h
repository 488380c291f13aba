#pragma once

#include <QByteArray>
#include <cstdint>

// One line of the SD-card data logger, Latin-1, no header line in the file:
// "10.250000,20.500000,6.2,19-01-21,17:59:13,\r\n" (latitude, longitude, depth, date, time).
namespace DataLoggerLine {

QByteArray build(int lat_ddS32, int lon_ddS32, float depthMetres, uint32_t boatTime);

}  // namespace DataLoggerLine
