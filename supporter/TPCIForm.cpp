#include "TPCIForm.h"

#include "Control.h"
#include "Geometry.h"
#include "TButton.h"
#include "TMemo.h"

#include <QFont>

TPCIForm::TPCIForm(Component *owner)
    : TForm(owner)
    , m_pciMemo(new TMemo(this))
    , m_closeButton(new TButton(this))
{
    setName(QStringLiteral("PCIForm"));
    setFormStyle(Vcl::fsStayOnTop);
    setPosition(Vcl::poDefaultPosOnly);

    m_pciMemo->setName(QStringLiteral("PCIMemo"));
    m_pciMemo->setParent(client());
    SetBounds(m_pciMemo, 8, 8, 305, 89);
    QFont memoFont(QStringLiteral("Tahoma"));
    memoFont.setPointSize(10);
    memoFont.setBold(true);
    m_pciMemo->setFont(memoFont);
    m_pciMemo->setReadOnly(true);
    m_pciMemo->setScrollBars(Vcl::ssVertical);

    m_closeButton->setName(QStringLiteral("CloseButton"));
    m_closeButton->setParent(client());
    // Centred on the window as it is now (320 wide outside); the fit below moves it with the
    // memo and it is not centred again.
    SetBounds(m_closeButton, Div(outerWidth() - 73, 2), 105, 73, 25);
    m_closeButton->setCancelButton(true);
    m_closeButton->setText(QStringLiteral("Close"));
    setTabOrder(m_closeButton, m_pciMemo);
    m_closeButton->setFocus();

    fitToControls();
    SetAnchors(m_pciMemo, Vcl::akLeft | Vcl::akTop | Vcl::akRight | Vcl::akBottom);
    SetAnchors(m_closeButton, Vcl::akBottom);
}
