#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <functional>

namespace mirute::bench {

// The sample working folder every benchmark reads: a log of 32,766 plays and 5,000 history lines per game.
const QString &sampleDir();
void setSampleDir(const QString &dir);
// The date of the folder's last play, which the main panel shows.
QDate lastPlayDay();
QDate lastPlayDay(const QString &dir);

// The log sizes of the scaling table, and a sample folder with a log of that many plays, written on first
// use into a temporary folder that lasts as long as the process; "" when it could not be written.
const QList<int> &scalingPlays();
QString scaledSampleDir(int plays);

// Every panel's refresh from the file, at the largest log and at each size of the scaling table.
void registerRefreshBenchmarks();

// Runs pending events until `done` or until timeoutMs have passed; false on timeout.
bool waitFor(const std::function<bool()> &done, int timeoutMs = 10000);

// Peak resident memory of this process so far, in MB (getrusage ru_maxrss).
double peakRssMb();
// Resident memory of this process now, in MB.
double residentMb();
// Processor time of this process so far (all threads, user and system), in ms, and its page faults that
// needed no reading from disk.
double processCpuMs();
long minorFaults();

} // namespace mirute::bench
