#pragma once
// The action editor: the chains of actions the anti-spam rule may take,
// laid out as a tree. Clicking a node chooses the chain from its root down
// to it; OK stores that chain as the rule's actions, in place of all others.

#include "ui/model/Form.h"

#include <string>
#include <vector>

namespace velmora {

class Program;

class frmAction : public ui::Form {
public:
    explicit frmAction(Program& program);

protected:
    void Form_Load() override;

private:
    void NodeClick(const std::string& nodeKey);
    void ChooseColour();
    void StoreChain();
    std::string ActionText(const std::string& key, const std::string& missing = "") const;

    Program& program_;
    // The chosen chain from the clicked node up to its root.
    std::vector<std::string> chain_;
    std::string joining_;
};

} // namespace velmora
