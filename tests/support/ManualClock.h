#pragma once
// A clock that tells the time a test sets, optionally advancing by a step on each reading.

#include "platform/core/Clock.h"

namespace pensilio::testing {

class ManualClock final : public Clock
{
public:
    explicit ManualClock(WallDateTime start = WallDateTime::fromParts(2025, 12, 9, 19, 7, 33, 250))
        : m_now(start)
    {}
    WallDateTime now() override
    {
        ++m_readings;
        const WallDateTime value = m_now;
        m_now = m_now.addMSecs(m_step);
        return value;
    }
    void set(WallDateTime value) { m_now = value; }
    void setStep(qint64 ms) { m_step = ms; }
    int readings() const { return m_readings; }

private:
    WallDateTime m_now;
    qint64 m_step = 0;
    int m_readings = 0;
};

} // namespace pensilio::testing
