#pragma once
// System restore points: CSystemRestore begins one, CRestorePoint stands for
// one begun and ends or cancels it. Both report failures by throwing
// RestorePointError, which their caller turns into a message.

#include "platform/FileSystem.h"
#include "platform/SystemRestore.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace velmora {

class Program;

struct RestorePointError : std::runtime_error {
    RestorePointError(long errorNumber, const std::string& description)
        : std::runtime_error(description), number(errorNumber) {}
    long number;
};

inline constexpr std::uint32_t kBeginSystemChange = 100;
inline constexpr std::uint32_t kEndSystemChange = 101;
inline constexpr std::int32_t kModifySettings = 12;
inline constexpr std::int32_t kCancelledOperation = 13;
inline constexpr std::size_t kRestoreDescriptionSize = 64;

// The text of a status the restore service answers; empty for one unknown.
std::string RestoreStatusText(platform::FileSystem& files, std::uint32_t status);

class CRestorePoint {
public:
    // A begun point that nobody ended is cancelled.
    ~CRestorePoint();
    CRestorePoint(const CRestorePoint&) = delete;
    CRestorePoint& operator=(const CRestorePoint&) = delete;

    void EndRestorePoint();
    void Abort();
    std::string GetStatusText(std::uint32_t status) const;

    bool valid() const { return lowSet_ && highSet_; }
    bool ended() const { return ended_; }
    std::int64_t sequenceNumber() const;

private:
    friend class CSystemRestore;
    CRestorePoint(platform::SystemRestore& service, platform::FileSystem& files);
    void SetSequenceLow(std::uint32_t low);
    void SetSequenceHigh(std::uint32_t high);
    // Sends the end or the cancel of this point; error 1001 with `failure`.
    void Finish(std::uint32_t restorePointType, const std::string& failure);

    platform::SystemRestore& service_;
    platform::FileSystem& files_;
    std::uint32_t low_ = 0;
    std::uint32_t high_ = 0;
    bool lowSet_ = false;
    bool highSet_ = false;
    bool ended_ = false;
};

class CSystemRestore {
public:
    CSystemRestore(platform::SystemRestore& service, platform::FileSystem& files)
        : service_(service), files_(files) {}

    // Error 1000 for a description over 64 characters, 1001 when the
    // service refuses.
    std::unique_ptr<CRestorePoint> BeginRestorePoint(std::int32_t restorePointType,
                                                     const std::string& description);
    std::string GetStatusText(std::uint32_t status) const;

private:
    platform::SystemRestore& service_;
    platform::FileSystem& files_;
};

// Start-up's restore point, with the message window while it is made; a
// failure is shown and start-up goes on.
void CreateRestorePoint(Program& program);

} // namespace velmora
