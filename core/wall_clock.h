// The local wall clock, behind an interface so that tests and the companion tools can pin
// "now" to any instant. Plain C++: the system clock is read through the C library.
#pragma once

namespace dorvalen {

struct LocalDateTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

class WallClock {
public:
    virtual ~WallClock() = default;
    virtual LocalDateTime now() const = 0;
};

// The machine's local time (time zone and daylight saving as the system has them).
class SystemWallClock final : public WallClock {
public:
    LocalDateTime now() const override;
};

// Always answers the instant it was given.
class PinnedWallClock final : public WallClock {
public:
    explicit PinnedWallClock(LocalDateTime at) : at_(at) {}
    void set(LocalDateTime at) { at_ = at; }
    LocalDateTime now() const override { return at_; }

private:
    LocalDateTime at_;
};

}  // namespace dorvalen
