#pragma once
// cmd603: the mail client's setup information file (msoe50.inf) copied with
// the files it installs into the client's folder, edited there so that the
// setup engine takes every file from that folder, installed, and removed.

#include "platform/ProfileStrings.h"

#include <string>

namespace velmora {

class Program;

void ReinstallFromSetupFile(Program& program);

// Copies sourceFolder + name over destinationFolder + name when the source
// exists, recording the result in CopySucceeded; then, when CopySucceeded
// is clear, tells the user which file could not be copied.
void CopyClientFile(Program& program, const std::string& sourceFolder,
                    const std::string& destinationFolder, const std::string& name);
// The same from one path to another, name being the file the user is told of.
void CopyClientFileTo(Program& program, const std::string& source, const std::string& target,
                      const std::string& name);
// Tells the user which file could not be copied.
void ShowCopyFailure(Program& program, const std::string& name);

// The ten edits of the copied setup file, in their order; the file's other
// lines stay as they are.
void EditSetupInf(platform::ProfileStrings& profile, const std::string& infPath);

// The setup engine's install of a setup file's DefaultInstall section.
std::string SetupInstallCommand(const std::string& infPath);

} // namespace velmora
