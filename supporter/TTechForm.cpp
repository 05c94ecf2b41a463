#include "TTechForm.h"

#include "Control.h"
#include "Geometry.h"
#include "TButton.h"
#include "TMemo.h"

TTechForm::TTechForm(Component *owner)
    : TForm(owner)
    , m_techMemo(new TMemo(this))
    , m_closeButton(new TButton(this))
{
    setName(QStringLiteral("TechForm"));
    setCaption(QStringLiteral("Technical Support"));
    setFormStyle(Vcl::fsStayOnTop);
    setPosition(Vcl::poDefaultPosOnly);

    m_techMemo->setName(QStringLiteral("TechMemo"));
    m_techMemo->setParent(client());
    SetBounds(m_techMemo, 8, 8, 305, 89);
    m_techMemo->setReadOnly(true);
    m_techMemo->setScrollBars(Vcl::ssVertical);

    m_closeButton->setName(QStringLiteral("CloseButton"));
    m_closeButton->setParent(client());
    SetBounds(m_closeButton, 165, 105, 73, 25);
    m_closeButton->setCancelButton(true);
    m_closeButton->setText(QStringLiteral("Close"));
    setTabOrder(m_closeButton, m_techMemo);
    m_closeButton->setFocus();

    fitToControls();
    SetAnchors(m_techMemo, Vcl::akLeft | Vcl::akTop | Vcl::akRight | Vcl::akBottom);
    SetLeft(m_closeButton, Div(clientWidth() - Width(m_closeButton), 2));
    SetAnchors(m_closeButton, Vcl::akBottom);
}
