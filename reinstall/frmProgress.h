#pragma once
// The download window of the supplementary pack.

#include "reinstall/UserControl1.h"
#include "ui/model/Form.h"

#include <cstdint>
#include <random>
#include <string>

namespace velmora {

class Program;

inline const std::string kProgressWindow = "frmProgress";

class frmProgress : public ui::Form {
public:
    explicit frmProgress(Program& program);

    UserControl1 UserControl11;

    // The timers' work, one tick each.
    void Tmr631_Timer();
    void tmr632_Timer();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void OnComplete(bool success, bool told);
    void SetBar(int value);
    std::string Text(const std::string& key) const;
    std::string Title(const std::string& percent) const;

    Program& program_;
    int animationState_ = 0; // 0 not started, 1 stopped, 2 playing
    std::uint32_t previousRead_ = 0;
    std::minstd_rand random_;
};

} // namespace velmora
