#include "TMainForm.h"

#include "Application.h"
#include "CardText.h"
#include "TBoardImage.h"
#include "TComboBox.h"
#include "TRadioPanel.h"
#include "TSetupSupporter.h"
#include "TThreeJumper.h"
#include "TTwoJumper.h"
#include "VELWDM.h"

#include <QPointer>

using Jumpers::jsLeft;
using Jumpers::jsOpen;
using Jumpers::jsRight;

TMainForm::TMainForm()
    : TForm(nullptr)
{
}

void TMainForm::loaded()
{
    auto find = [this](auto *&field, const char *name) {
        Component *c = findComponent(QString::fromLatin1(name));
        field = c ? qobject_cast<std::remove_reference_t<decltype(*field)> *>(c->object()) : nullptr;
    };
    find(BoardImage1, "BoardImage1");
    find(HighPanel, "HighPanel");
    find(PullPanel, "PullPanel");
    find(High18Jumper, "High18Jumper");
    find(High25Jumper, "High25Jumper");
    find(High33Jumper, "High33Jumper");
    find(High50Jumper, "High50Jumper");
    find(PullJumper, "PullJumper");
    find(HighCombo, "HighCombo");
    find(PullCombo, "PullCombo");
    find(SetSup, "SetSup");
    TForm::loaded();
}

void TMainForm::FormCreate(QObject *)
{
    // The hook outlives the form in the application object; a freed supporter is not called.
    QPointer<TSetupSupporter> supporter = SetSup;
    Application::instance()->setOnIdle([supporter](QObject *sender, bool &done) {
        if (supporter)
            supporter->FirstIdle(sender, done);
    });
}

void TMainForm::Exit2Click(QObject *)
{
    close();
}

void TMainForm::Howtousethisprogram1Click(QObject *)
{
    if (SetSup && SetSup->HelpForm())
        SetSup->HelpForm()->show();
}

void TMainForm::TechnicalSupport1Click(QObject *)
{
    if (SetSup && SetSup->TechForm())
        SetSup->TechForm()->show();
}

namespace {
int pullIndex(Jumpers::TJumperState state)
{
    switch (state) {
    case jsRight: return 0;
    case jsLeft: return 1;
    case jsOpen: return 2;
    }
    return -1;
}
}

void TMainForm::PullPanelEnter(QObject *)
{
    PullCombo->setCurrentIndex(pullIndex(PullJumper->jumperState()));
}

void TMainForm::PullComboChange(QObject *)
{
    switch (PullCombo->currentIndex()) {
    case 0: PullJumper->setJumperState(jsRight); break;
    case 1: PullJumper->setJumperState(jsLeft); break;
    case 2: PullJumper->setJumperState(jsOpen); break;
    default: break;
    }
}

void TMainForm::PullJumperClick(QObject *)
{
    PullCombo->setCurrentIndex(pullIndex(PullJumper->jumperState()));
}

void TMainForm::selectClosedHighItem()
{
    const TTwoJumper *order[] = {High50Jumper, High33Jumper, High25Jumper, High18Jumper};
    for (int i = 0; i < 4; ++i)
        if (order[i]->closed()) {
            HighCombo->setCurrentIndex(i);
            return;
        }
}

void TMainForm::HighPanelEnter(QObject *)
{
    selectClosedHighItem();
}

void TMainForm::HighComboChange(QObject *)
{
    High50Jumper->setClosed(HighCombo->currentIndex() == 0);
    High33Jumper->setClosed(HighCombo->currentIndex() == 1);
    High25Jumper->setClosed(HighCombo->currentIndex() == 2);
    High18Jumper->setClosed(HighCombo->currentIndex() == 3);
}

void TMainForm::HighJumperClick(QObject *sender)
{
    auto *clicked = qobject_cast<TTwoJumper *>(sender);
    if (!clicked)
        return;
    if (clicked->closed()) {
        TTwoJumper *order[] = {High50Jumper, High33Jumper, High25Jumper, High18Jumper};
        for (int i = 0; i < 4; ++i) {
            if (order[i] == clicked)
                HighCombo->setCurrentIndex(i);
            else
                order[i]->setClosed(false);
        }
        return;
    }
    // The closed jumper was clicked: the cap moves one place toward 1.8 V, from there back to 2.5 V.
    High18Jumper->setClosed(clicked == High25Jumper);
    High25Jumper->setClosed(clicked == High18Jumper || clicked == High33Jumper);
    High33Jumper->setClosed(clicked == High50Jumper);
    High50Jumper->setClosed(false);
    selectClosedHighItem();
}

QString TMainForm::SetSupGetCardString(QObject *, int cardIndex)
{
    uint32_t deviceId = 0;
    uint32_t base = 0;
    if (QueryCardInfo(cardIndex, &deviceId, &base, nullptr, nullptr) == 0)
        return QString();
    return CardText(deviceId, base);
}
