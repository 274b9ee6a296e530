#pragma once
// The local wall clock with milliseconds, behind an interface so that tests can set the time.

#include "platform/core/WallDateTime.h"

namespace pensilio {

class Clock
{
public:
    virtual ~Clock() = default;
    virtual WallDateTime now() = 0;
};

class SystemClock final : public Clock
{
public:
    WallDateTime now() override;
};

} // namespace pensilio
