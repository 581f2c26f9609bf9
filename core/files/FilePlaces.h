#pragma once

#include <string>

namespace core {

// What the program learns of its folders before it settles where its two files are.
class PlaceProbe {
public:
    virtual ~PlaceProbe() = default;
    virtual bool exists(const std::string& path) const = 0;
    // Decided by trying to create a file there: the folder's access rights are what count, not
    // a read-only attribute.
    virtual bool folderWritable(const std::string& folder) const = 0;
};

// The settings file: beside the program file (its path with ".ini") when a settings file is
// there or the folder can be written, so a copy in a folder of its own stays portable; else
// "Brindlewhistmoore.ini" in the user's folder given.
std::string settingsFilePlace(const std::string& programPath, const std::string& userFolder,
                              const PlaceProbe& probe);

// The reservation file: "SetTimeData.txt" in the current folder, unless the folder holds none
// and cannot be written (a start in the system folder); then beside the settings file.
std::string reservationFilePlace(const std::string& settingsPath, const PlaceProbe& probe);

// The history file: beside the settings file, wherever that settled.
std::string historyFilePlace(const std::string& settingsPath);
// The administrator's bookings postponed by 10分延期, kept across a restart: beside the settings
// file too, where the user may delete it.
std::string postponementsFilePlace(const std::string& settingsPath);

} // namespace core
