#include "Types.h"

#include <QHash>

QColor toQColor(TColor color, const QPalette &palette)
{
    if (color & 0x80000000u) {
        switch (color & 0xFF) {
        case 0x0F: return palette.color(QPalette::Button);       // button face
        case 0x08: return palette.color(QPalette::WindowText);
        case 0x05: return palette.color(QPalette::Base);         // window background
        case 0x12: return palette.color(QPalette::ButtonText);
        default: return palette.color(QPalette::Window);
        }
    }
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

TColor fromQColor(const QColor &color)
{
    return TColor(color.red()) | (TColor(color.green()) << 8) | (TColor(color.blue()) << 16);
}

bool colorFromName(const QString &name, TColor *color)
{
    static const QHash<QString, TColor> names = {
        {QStringLiteral("clBlack"), clBlack},       {QStringLiteral("clMaroon"), clMaroon},
        {QStringLiteral("clGreen"), 0x008000},      {QStringLiteral("clOlive"), 0x008080},
        {QStringLiteral("clNavy"), 0x800000},       {QStringLiteral("clPurple"), 0x800080},
        {QStringLiteral("clTeal"), 0x808000},       {QStringLiteral("clGray"), clGray},
        {QStringLiteral("clSilver"), 0xC0C0C0},     {QStringLiteral("clRed"), 0x0000FF},
        {QStringLiteral("clLime"), 0x00FF00},       {QStringLiteral("clYellow"), clYellow},
        {QStringLiteral("clBlue"), 0xFF0000},       {QStringLiteral("clFuchsia"), 0xFF00FF},
        {QStringLiteral("clAqua"), 0xFFFF00},       {QStringLiteral("clWhite"), clWhite},
        {QStringLiteral("clBtnFace"), clBtnFace},   {QStringLiteral("clWindowText"), clWindowText},
        {QStringLiteral("clWindow"), clWindow},
    };
    const auto it = names.constFind(name);
    if (it == names.constEnd())
        return false;
    *color = it.value();
    return true;
}
