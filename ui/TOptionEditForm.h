#pragma once

#include "contracts/OptionsEditor.h"

#include <QDialog>

#include <array>
#include <functional>

class Options;
class Prompt;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;

// "Program Options": the league rules, salary splits, CGS tuning, rookie table and statistic
// values of the open league on five pages. The window only arranges the OptionsEditor model:
// before each action it copies what the user typed and chose into the model's controls, and
// afterwards it shows the model's controls again. Save closes it with the OK result once the
// options file is written; Cancel (or closing the window) puts the options back as they were.
class TOptionEditForm : public QDialog {
    Q_OBJECT

  public:
    // owner is the window that opens this one; its component name decides whether
    // "Hide Potentials" is offered.
    TOptionEditForm(Options& options, Prompt& prompt, QWidget& owner);

    OptionsEditor& Model() { return editor; }

    // Event handlers.
    void FormShow();
    void EnableSplits();
    void SaveSplits();
    void UpdateFields();
    void SaveCGSData();
    void rook_cgsShow();
    void rndBoxChange();
    void pckBoxChange();
    void rCGSChange();
    void saveBtnClick();
    void cxlBtnClick();

    // Closing the window by its title bar or Escape is Cancel.
    void reject() override;

    QTabWidget* PageControl1;
    QWidget* Basics;
    QWidget* ContractRules;
    QWidget* CGS;
    QWidget* rook_cgs;
    QWidget* StatValue;
    QPushButton* saveBtn;
    QPushButton* cxlBtn;

    // Basics.
    QLineEdit* salarycap;
    QLineEdit* bonuslimit;
    QCheckBox* add_retired;
    QCheckBox* ly_restruct;
    QLineEdit* restruct;
    QLineEdit* res_attempts;
    QLineEdit* ageufa;
    QLineEdit* agerfa;
    QLineEdit* declines;
    QCheckBox* lim_attempts;
    QCheckBox* hid_pote;
    QCheckBox* holdouts;
    QSlider* ho_base;

    // ContractRules.
    QLineEdit* min;
    QLineEdit* max;
    QLineEdit* penalty;
    QLineEdit* max_length;
    QSpinBox* UpDown1;
    QLineEdit* conlength; // the text part of UpDown1
    std::array<QLineEdit*, OptionsEditor::kSplits> split{};
    QPushButton* Button3;
    QLineEdit* basechance;
    QLineEdit* xfaDecline;
    QLineEdit* restructDecline;
    QLineEdit* fp_adj;
    QLineEdit* tp_adj;

    // CGS.
    QComboBox* posSelector;
    std::array<QLineEdit*, Options::kRatings> weights{}; // ac ag di en ha in sp st
    QLineEdit* starters;
    QLineEdit* maxsal;
    QLineEdit* minsal;
    QPushButton* Button1;
    QPushButton* Button2;
    QCheckBox* includerookie;
    QCheckBox* useStats;

    // rook_cgs.
    QComboBox* rndBox;
    QComboBox* pckBox;
    QLineEdit* rCGS;
    QPushButton* Button4;
    QPlainTextEdit* RookieCGSs;

    // StatValue, in the order of OptionsEditor::kStatNames.
    std::array<QLineEdit*, Options::kStatValues> statValues{};

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildBasics();
    void BuildContractRules();
    void BuildCGS();
    void BuildRookieCGS();
    void BuildStatValue();
    void Connect();

    // Runs one action of the model on what the window shows and shows its result; an error
    // of the action goes to the standard error box.
    void Act(const std::function<void()>& action);
    void ReadControls();
    void ShowControls();

    Options& options;
    Prompt& prompt;
    OptionsEditor editor;
};
