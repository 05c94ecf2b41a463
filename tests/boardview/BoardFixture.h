// Small pictures and forms the board view tests build in code.
#pragma once

#include "PictureValue.h"
#include "TBitmap.h"
#include "TPicture.h"

#include <QImage>
#include <QPainter>

namespace BoardFixture {

// A picture holding a bitmap of the image.
inline PictureValue bitmapPicture(const QImage &image)
{
    auto picture = std::make_shared<TPicture>();
    picture->SetGraphic(std::make_unique<TBitmap>(image));
    return picture;
}

inline QImage solidImage(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Four quadrants of different colours, so that placement and scaling show in the corners.
inline QImage quadrantImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height / 2, QColor(200, 40, 40));
    painter.fillRect(width / 2, 0, width - width / 2, height / 2, QColor(40, 200, 40));
    painter.fillRect(0, height / 2, width / 2, height - height / 2, QColor(40, 40, 200));
    painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, QColor(220, 220, 40));
    return image;
}

} // namespace BoardFixture

#include "Control.h"
#include "TBoardHighlight.h"
#include "TBoardImage.h"
#include "TForm.h"
#include "TMainMenu.h"
#include "TMenuItem.h"
#include "TRadioPanel.h"

namespace BoardFixture {

// A main window laid out like the product's: a 662 x 296 board image at (96, 242) with a
// stretched 600 x 268 photo, five linked "&Pull Down/Up" circles sharing PullPanel and one
// "&High Level" circle with HighPanel, a menu bar "&File", "&Help". Nothing is shown or
// painted yet. The form owns everything.
struct ProductBoard
{
    TForm *form = new TForm(nullptr);
    TMainMenu *menu = new TMainMenu(form);
    TBoardImage *image = new TBoardImage(form->client());
    TRadioPanel *pullPanel = new TRadioPanel(form->client());
    TRadioPanel *highPanel = new TRadioPanel(form->client());
    QList<TBoardHighlight *> pull;
    TBoardHighlight *high = nullptr;

    ProductBoard()
    {
        form->setName(QStringLiteral("MainForm"));
        form->setOuterSize(812, 612);
        menu->setName(QStringLiteral("MainMenu1"));
        addMenu(QStringLiteral("File1"), QStringLiteral("&File"));
        addMenu(QStringLiteral("Help1"), QStringLiteral("&Help"));
        form->setMenu(menu);

        image->setOwner(form);
        image->setName(QStringLiteral("BoardImage1"));
        SetBounds(image, 96, 242, 662, 296);
        image->setAutoSize(false);
        image->setPicture(bitmapPicture(quadrantImage(600, 268)));
        image->setStretch(true);
        image->setMenu(menu);

        setUpPanel(pullPanel, QStringLiteral("PullPanel"), QRect(176, 48, 217, 105),
                   {QStringLiteral("Pull resistors."), QStringLiteral("Second line.")});
        setUpPanel(highPanel, QStringLiteral("HighPanel"), QRect(536, 24, 217, 113),
                   {QStringLiteral("Logic high level.")});

        const int lefts[] = {128, 332, 404, 480, 552};
        for (int i = 0; i < 5; ++i)
            pull << addCircle(QStringLiteral("PullHighlight%1").arg(i), QRect(lefts[i], 0, i == 0 ? 33 : 41, 193),
                              QStringLiteral("&Pull Down/Up"), pullPanel);
        high = addCircle(QStringLiteral("HighHighlight"), QRect(616, 16, 41, 25), QStringLiteral("&High Level"), highPanel);
        image->setFirst(pull.first());
    }

    ~ProductBoard() { delete form; }
    ProductBoard(const ProductBoard &) = delete;
    ProductBoard &operator=(const ProductBoard &) = delete;

    TMenuItem *addMenu(const QString &name, const QString &caption)
    {
        auto *item = new TMenuItem(form);
        item->setName(name);
        item->setCaption(caption);
        menu->items()->add(item);
        return item;
    }

    TBoardHighlight *addCircle(const QString &name, const QRect &box, const QString &title, TRadioPanel *panel,
                               BoardView::THighlightType type = BoardView::htSettings)
    {
        auto *circle = new TBoardHighlight(image);
        circle->setOwner(form);
        circle->setName(name);
        SetBounds(circle, box.x(), box.y(), box.width(), box.height());
        circle->setHighlightType(type);
        circle->setTitle(title);
        circle->setRadioPanel(panel);
        return circle;
    }

    void setUpPanel(TRadioPanel *panel, const QString &name, const QRect &box, const QStringList &lines)
    {
        panel->setOwner(form);
        panel->setName(name);
        SetBounds(panel, box.x(), box.y(), box.width(), box.height());
        panel->setLines(lines);
    }

    // Paints the board with its circles once, as the main window's first paint does.
    void paint() { image->grab(); }

    // The captions of the menu bar, in order.
    QStringList barCaptions() const
    {
        QStringList captions;
        for (int i = 0; i < menu->count(); ++i)
            captions << menu->item(i)->caption();
        return captions;
    }

    TMenuItem *topItem(const QString &caption) const
    {
        for (int i = 0; i < menu->count(); ++i)
            if (menu->item(i)->caption() == caption)
                return menu->item(i);
        return nullptr;
    }
};

} // namespace BoardFixture
