#include "core/Program.h"

#include "core/SecondaryWindows.h"

#include <stdexcept>

namespace velmora {

Program::Program(Services s, const FormFactory& mainWindow)
    : services(s), reg(s.registry), principal_(mainWindow(*this)) {
    RegisterCoreWindows(*this);
}

Program::~Program() = default;

void Program::Start() {
    principal_->Load();
}

std::string Program::ProgramFolder() const {
    return services.files.programFolder();
}

std::string Program::LanguageFolder() const {
    return ProgramFolder() + "\\language\\";
}

std::string Program::IdentityKey() const {
    // No identity to work on (none on the machine, or one without its "User
    // ID"): a path the registry refuses, as it refuses any path with a
    // leading backslash, so that nothing is read or written per identity.
    if (CurrentIdentity.empty() || CurrentIdentity == kNotFound ||
        CurrentIdentity.find('\\') != std::string::npos)
        return "\\No identity\\Software\\Microsoft\\Outlook Express\\5.0";
    return "Identities\\" + CurrentIdentity + "\\Software\\Microsoft\\Outlook Express\\5.0";
}

void Program::registerForm(const std::string& name, FormFactory factory) {
    factories_[name] = std::move(factory);
}

ui::Form& Program::form(const std::string& name) {
    auto it = forms_.find(name);
    if (it != forms_.end())
        return *it->second;
    auto factory = factories_.find(name);
    if (factory == factories_.end())
        throw std::logic_error("no window " + name);
    return *(forms_[name] = factory->second(*this));
}

ui::Form* Program::existingForm(const std::string& name) const {
    auto it = forms_.find(name);
    return it == forms_.end() ? nullptr : it->second.get();
}

std::vector<ui::Form*> Program::existingForms() const {
    std::vector<ui::Form*> result;
    for (const auto& [name, form] : forms_)
        result.push_back(form.get());
    return result;
}

} // namespace velmora
