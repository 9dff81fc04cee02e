#pragma once

#include <QtGlobal>

namespace brindo::test {

// Builds with AddressSanitizer run several times slower and keep freed memory
// in quarantine, so time bounds stretch and memory growth is not measured.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif
#else
inline constexpr bool kSanitized = false;
#endif
inline constexpr int kSlowdown = kSanitized ? 10 : 1;

inline constexpr qint64 kMegabyte = qint64{1024} * 1024;

// The resident size of this process in bytes.
qint64 residentBytes();

// Starts measuring the peak resident size afresh; peakResidentBytes() then
// answers the largest size since.
void resetPeakResident();
qint64 peakResidentBytes();

// Ends the process with a message when its scope is not left within the time:
// a hang then fails at once, not at the test runner's timeout.
class Watchdog {
public:
    explicit Watchdog(qint64 milliseconds);
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    ~Watchdog();
};

} // namespace brindo::test
