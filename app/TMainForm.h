// The program's main window, built from its description: the board photo with its circles,
// the two option panels, the menu and the setup supporter. Its handlers keep each option
// group's jumper drawing and combo box in step, and name the boards the driver reports.
#pragma once

#include "TForm.h"

class TBoardImage;
class TComboBox;
class TRadioPanel;
class TSetupSupporter;
class TThreeJumper;
class TTwoJumper;

class TMainForm : public TForm
{
    Q_OBJECT
public:
    TMainForm();

    // Hooks the application's idle event to the supporter's one-time build.
    Q_INVOKABLE void FormCreate(QObject *sender);
    // Closes the main window, which ends the program.
    Q_INVOKABLE void Exit2Click(QObject *sender);
    // Shows the instructions window.
    Q_INVOKABLE void Howtousethisprogram1Click(QObject *sender);
    // Shows the technical-support window.
    Q_INVOKABLE void TechnicalSupport1Click(QObject *sender);

    // Option rules of the pull-resistor group.
    Q_INVOKABLE void PullPanelEnter(QObject *sender);
    Q_INVOKABLE void PullComboChange(QObject *sender);
    Q_INVOKABLE void PullJumperClick(QObject *sender);
    // Option rules of the logic-high group.
    Q_INVOKABLE void HighPanelEnter(QObject *sender);
    Q_INVOKABLE void HighComboChange(QObject *sender);
    Q_INVOKABLE void HighJumperClick(QObject *sender);

    // The text for board cardIndex: its model and base address, or empty when the driver
    // does not know it or it is no board of the family.
    Q_INVOKABLE QString SetSupGetCardString(QObject *sender, int cardIndex);

    TBoardImage *BoardImage1 = nullptr;
    TRadioPanel *HighPanel = nullptr;
    TRadioPanel *PullPanel = nullptr;
    TTwoJumper *High18Jumper = nullptr;
    TTwoJumper *High25Jumper = nullptr;
    TTwoJumper *High33Jumper = nullptr;
    TTwoJumper *High50Jumper = nullptr;
    TThreeJumper *PullJumper = nullptr;
    TComboBox *HighCombo = nullptr;
    TComboBox *PullCombo = nullptr;
    TSetupSupporter *SetSup = nullptr;

    void loaded() override;

private:
    // Selects the HighCombo item of the first closed jumper from 5V down; none closed: no change.
    void selectClosedHighItem();
};
