#pragma once
// The criteria editor: the words of one criterion of the anti-spam rule in
// a two-column list (the word, its hexadecimal form), edited with the spaces
// at their ends shown in colour, saved to and imported from files, and
// stored back as the criterion's word list.
//
// Hand-over with the anti-spam page: before the window is shown modally,
// lblPassage of the main window holds the criterion's position (0, 1 or 2)
// and the program's AntiSpamRuleKey and CriterionKeys name the criterion;
// after a save lblPassage holds "True".

#include "ui/model/Form.h"

#include <string>
#include <vector>

namespace velmora {

class Program;

class frmCriteria : public ui::Form {
public:
    explicit frmCriteria(Program& program);

    // The words of the list in display order.
    std::vector<std::string> words() const;

protected:
    void Form_Load() override;

private:
    void subGrillCouleur(const std::vector<std::string>& words);
    void subModifieLigne(const std::string& word, int row);
    void Compteur();
    void subSuppDoublons();
    void subAjouterUnMot();
    void subSuppression();
    void subRajoutEspacesDrGa(int mode);
    void subMultiplie();
    void subEnregistreRegistre();
    void subSauveListe();
    void subSauveCSV();
    void subSauveASCII();
    void subInsereListe();
    void SortBy(int column);
    void EndLabelEdit(ui::EventArgs& args);
    void ApplyCaptions();

    std::string Lng(const std::string& key, const std::string& missing = "") const;
    void Notice(const std::string& key, const std::string& from = "", const std::string& to = "");
    // Whether a typed word may go in the list; tells the user why not.
    bool Acceptable(const std::string& word, bool representable);
    std::string AskFile(const std::string& titleKey, const std::string& filterKey,
                        const std::string& pattern);
    void SaveFile(const std::string& titleKey, const std::string& filterKey,
                  const std::string& pattern, const std::string& text);
    // The position lblPassage holds, or -1 when it holds none.
    int Position() const;
    // The rows, put back in sort order when the list is sorted.
    void ShowRows(std::vector<ui::ListRow> rows);

    Program& program_;
    ui::Control& list_;
    std::string criterionKey_; // empty when no criterion was named
    int position_ = -1;
    int sortColumn_ = 0;
    bool descending_ = false;
    bool sorted_ = false;
};

// Registers the editor's factory under the window's name, "frmCriteria",
// by which the anti-spam page opens it.
void RegisterCriteriaEditor(Program& program);

} // namespace velmora
