#include "TPopupForm.h"

#include "TBoardHighlight.h"

TPopupForm::TPopupForm(Component *owner)
    : TForm(owner)
{
}

TPopupForm::~TPopupForm() = default;

TBoardHighlight *TPopupForm::highlight() const { return m_highlight; }
void TPopupForm::setHighlight(TBoardHighlight *circle) { m_highlight = circle; }
