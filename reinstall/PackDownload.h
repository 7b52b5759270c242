#pragma once
// The supplementary pack: which one fits the installed browser, where it is
// fetched from, how its transfer is told, and the button that starts it.

#include <cstdint>
#include <string>

namespace velmora {

class Program;

inline const std::string kPackFileName = "Corvessa.exe";
// The publisher's download site; the program key's value "PackSite" replaces it.
inline const std::string kPackSite = "http://download.velmora.net";
inline const std::string kPackSiteValue = "PackSite";

// The pack folder for a browser version and Windows family; `previous`
// when no rule matches.
std::string PackPathFor(const std::string& browserVersion, const std::string& windowsFamily,
                        const std::string& previous);
// The site address in use: the program key's "PackSite", or the built-in one.
std::string PackSite(Program& program);
// Site + "/" + PackPath + "/" + file name, in lower case.
std::string PackAddress(Program& program);

// "1 H X 5 s", X the joining word of the language file.
std::string FormatDuration(Program& program, long seconds);
// A number with two (or one) decimals and blanks between thousands.
std::string FormatAmount(double value, int decimals);

// cmd613: checks what a download needs and opens the progress window.
void DownloadPack(Program& program);
// cmd631: runs the received pack, once the system vouches for its signature.
void RunPack(Program& program);

} // namespace velmora
