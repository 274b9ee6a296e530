#pragma once
// Realistic memo data files for benchmarks: about 2,000 subjects (some differing only in letter
// case or by an accent), notes of 0 to 1000 characters with a median near 80, dates over 30 years
// in no order, with ties and midnights.

#include "platform/core/RegionalSettings.h"

#include <QByteArray>
#include <QString>

namespace pensilio::bench {

// The whole content of a data file with 'count' memos, written under 'settings'.
QByteArray generateDataFile(qint64 count, const RegionalSettings &settings, quint32 seed = 1);
bool writeDataFile(const QString &fileName, qint64 count, const RegionalSettings &settings,
                   quint32 seed = 1);

} // namespace pensilio::bench
