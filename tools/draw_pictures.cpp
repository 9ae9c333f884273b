// Draws the program's pictures from code, so that they can be regenerated:
//
//   icon.png      32 x 32 in the standard 16 colours: the flag of Sri Lanka
//                 on a bright green square with a red outline
//   icon-N.png    the same design at 16, 24, 48, 64, 128 and 256 pixels,
//                 smoothed, in the same colours
//   icon.ico      the 32 x 32 icon (4 bits a pixel) and the others as PNG
//   logo.png      159 x 52: the maker's emblem and name, white on black
//   cross.png     62 x 64: a yellow X on a red disc, on black
//   logo@2x.png, cross@2x.png
//                 the same at twice the pixels, for screens at 200%; Qt
//                 picks them by their names
//
// Usage: draw_pictures OUTPUT_FOLDER
// Nothing here reads a font or a picture file: every shape is drawn below,
// so the output is the same on every machine.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPolygonF>
#include <QStringList>
#include <QTransform>
#include <QtEndian>

#include <array>
#include <cstdio>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Colours of the icon: the standard 16 colours of a 4-bit display, in their
// usual order. The 32 x 32 icon uses exactly this table as its palette.

enum PaletteIndex : int {
    Black,
    Maroon,
    DarkGreen,
    Olive,
    Navy,
    Purple,
    Teal,
    Silver,
    Grey,
    Red,
    BrightGreen,
    Yellow,
    Blue,
    Fuchsia,
    Aqua,
    White,
    PaletteSize,
};

// What each part of the icon is painted in.
constexpr PaletteIndex OutlineRed = Red;
constexpr PaletteIndex FlagYellow = Yellow;
constexpr PaletteIndex StripeRed = Red;
constexpr PaletteIndex DarkYellow = Olive; // yellow half over maroon, for softened edges

QList<QRgb> iconPalette()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

QColor paletteColour(PaletteIndex index)
{
    return QColor::fromRgb(iconPalette().at(index));
}

// ---------------------------------------------------------------------------
// The icon's layout, in pixels of the 32 x 32 icon. The 128 x 128 icon uses
// the same layout, every length times four.

constexpr int kIconGrid = 32;
constexpr int kFlagLeft = 2, kFlagTop = 6, kFlagWidth = 28, kFlagHeight = 20;
constexpr int kBorder = 1;      // yellow border around the flag
constexpr int kStripeWidth = 2; // each of the two stripes at the hoist
constexpr int kGapWidth = 1;    // yellow between the stripes and the panel
constexpr int kPanelLeft = kFlagLeft + kBorder + 2 * kStripeWidth + kGapWidth;
constexpr int kPanelTop = kFlagTop + kBorder;
constexpr int kPanelRight = kFlagLeft + kFlagWidth - kBorder;  // exclusive
constexpr int kPanelBottom = kFlagTop + kFlagHeight - kBorder; // exclusive

// Fills the parts of the icon made of rectangles: the red outline, the green
// square, the flag's border, its stripes and its maroon panel.
void drawIconBackground(QPainter &painter, qreal unit)
{
    auto box = [unit](qreal x, qreal y, qreal w, qreal h) { return QRectF(x * unit, y * unit, w * unit, h * unit); };
    painter.fillRect(box(0, 0, kIconGrid, kIconGrid), paletteColour(OutlineRed));
    painter.fillRect(box(1, 1, kIconGrid - 2, kIconGrid - 2), paletteColour(BrightGreen));
    painter.fillRect(box(kFlagLeft, kFlagTop, kFlagWidth, kFlagHeight), paletteColour(FlagYellow));
    const int stripeTop = kFlagTop + kBorder;
    const int stripeHeight = kFlagHeight - 2 * kBorder;
    int x = kFlagLeft + kBorder;
    painter.fillRect(box(x, stripeTop, kStripeWidth, stripeHeight), paletteColour(DarkGreen));
    x += kStripeWidth;
    painter.fillRect(box(x, stripeTop, kStripeWidth, stripeHeight), paletteColour(StripeRed));
    painter.fillRect(box(kPanelLeft, kPanelTop, kPanelRight - kPanelLeft, kPanelBottom - kPanelTop),
                     paletteColour(Maroon));
}

// ---------------------------------------------------------------------------
// The 32 x 32 icon. At this size shapes are placed pixel by pixel: a lion
// drawn as a path and shrunk this far turns to mush.
//
// Each character is one pixel: 'Y' yellow, 'o' dark yellow (a softened edge),
// '.' maroon (left as the panel is).

// Lion facing the hoist, walking, a sword held up in its raised front paw,
// its tail curling up over its back. Top-left pixel sits at (kLionX, kLionY).
constexpr int kLionX = kPanelLeft + 3, kLionY = kPanelTop + 2;
// clang-format off
constexpr std::array<std::string_view, 13> kLion32 = {
    ".Y.............",
    ".Y...YYYo......",
    ".Y..YYYYYo..YY.",
    ".Y.YY.YYYYo.YY.",
    ".Y.YYYYYYYY..Y.",
    ".Y..YYYYYYY..Y.",
    "YYY..YYYYYYYYY.",
    ".YYYYYYYYYYYYY.",
    ".Y...YYYYYYYYY.",
    ".....YY...YYY..",
    ".....YY....YY..",
    ".....YY....YY..",
    "....YYY...YYY..",
};

// A bo leaf: at this size a yellow spot in each corner of the panel, its
// point (softened) towards the corner; mirrored for the other corners.
constexpr std::array<std::string_view, 2> kLeaf32 = {
    "oY",
    "YY",
};
// clang-format on

// Rectangles with QPainter on an RGB image, single pixels by hand; main()
// then turns it into an indexed image with the palette above. Every pixel
// already has a palette colour, so that loses nothing (main checks it).
QImage drawIcon32()
{
    QImage rgb(kIconGrid, kIconGrid, QImage::Format_RGB32);
    {
        QPainter painter(&rgb);
        painter.setRenderHint(QPainter::Antialiasing, false);
        drawIconBackground(painter, 1.0);
    }
    auto plot = [&rgb](int x, int y, char c) {
        if (c == 'Y')
            rgb.setPixel(x, y, iconPalette().at(FlagYellow));
        else if (c == 'o')
            rgb.setPixel(x, y, iconPalette().at(DarkYellow));
    };
    for (int row = 0; row < int(kLion32.size()); ++row)
        for (int col = 0; col < int(kLion32[row].size()); ++col)
            plot(kLionX + col, kLionY + row, kLion32[row][col]);
    const int leafSize = int(kLeaf32.size());
    for (int row = 0; row < leafSize; ++row) {
        for (int col = 0; col < leafSize; ++col) {
            const char c = kLeaf32[row][col];
            const int left = kPanelLeft + 1 + col, right = kPanelRight - 2 - col;
            const int top = kPanelTop + 1 + row, bottom = kPanelBottom - 2 - row;
            plot(left, top, c);
            plot(right, top, c);
            plot(left, bottom, c);
            plot(right, bottom, c);
        }
    }
    return rgb;
}

// ---------------------------------------------------------------------------
// The other sizes: the same design, with the lion and leaves as paths.

// The lion, in a box of 60 x 56 pixels of the 128-pixel icon, facing left.
QPainterPath lionBody()
{
    // Parts are joined with united(), so the direction each was drawn in
    // does not matter.
    QPainterPath path;
    auto add = [&path](const QPainterPath &part) { path = path.united(part); };
    auto addEllipse = [&add](QPointF centre, qreal rx, qreal ry) {
        QPainterPath e;
        e.addEllipse(centre, rx, ry);
        add(e);
    };

    // Mane: a round mass with curls along its back edge.
    addEllipse(QPointF(23, 17), 10.5, 10.5);
    for (const QPointF &curl : {QPointF(30, 8), QPointF(33.5, 14), QPointF(33, 21), QPointF(24, 6.5), QPointF(17, 7.5)})
        addEllipse(curl, 4.2, 4.2);
    // Ear.
    addEllipse(QPointF(21, 5), 2.6, 2.6);
    // Face and muzzle, jutting towards the hoist.
    QPainterPath face;
    face.moveTo(21, 9);
    face.cubicTo(16, 9, 13, 11, 11.5, 14.5);
    face.lineTo(10.5, 19);
    face.cubicTo(12, 21.5, 15, 23.5, 19, 23.5);
    face.lineTo(24, 22);
    face.closeSubpath();
    add(face);

    // Body: chest high at the front, back dipping a little, round rump.
    QPainterPath body;
    body.moveTo(22, 22);
    body.cubicTo(32, 21, 42, 24, 50, 23);
    body.cubicTo(57, 22.5, 58.5, 35, 52, 38);
    body.lineTo(30, 39);
    body.cubicTo(23, 39.5, 19, 36, 18.5, 31);
    body.cubicTo(18, 27, 19, 23, 22, 22);
    body.closeSubpath();
    add(body);

    // Legs as thick strokes, each ending in a paw.
    QPainterPathStroker legStroker;
    legStroker.setWidth(5.5);
    legStroker.setCapStyle(Qt::FlatCap);
    legStroker.setJoinStyle(Qt::RoundJoin);
    auto leg = [&](QPointF top, QPointF knee, QPointF foot, QPointF paw, qreal pawRx) {
        QPainterPath line(top);
        line.lineTo(knee);
        line.lineTo(foot);
        add(legStroker.createStroke(line));
        addEllipse(paw, pawRx, 2.6);
    };
    leg(QPointF(23, 34), QPointF(22, 42), QPointF(21.5, 49), QPointF(19, 50.5), 5.2); // front
    leg(QPointF(30, 36), QPointF(31, 42), QPointF(30.5, 49), QPointF(32, 50.5), 4.0); // far front
    leg(QPointF(47, 33), QPointF(49, 41), QPointF(46, 49), QPointF(43.5, 50.5), 5.2); // hind
    leg(QPointF(53, 34), QPointF(55, 41), QPointF(55, 49), QPointF(56.5, 50.5), 3.6); // far hind
    addEllipse(QPointF(48, 31), 7.5, 7);                                              // haunch

    // Raised front leg reaching forward to the sword's grip.
    QPainterPath arm(QPointF(22, 29));
    arm.cubicTo(18, 31, 13, 31, 9.5, 29);
    QPainterPathStroker armStroker;
    armStroker.setWidth(5);
    armStroker.setCapStyle(Qt::RoundCap);
    add(armStroker.createStroke(arm));

    // Tail: rising from the rump in an S, ending in a flame-like tuft.
    QPainterPath tail(QPointF(53, 25));
    tail.cubicTo(59, 22, 60, 15, 56.5, 10);
    QPainterPathStroker tailStroker;
    tailStroker.setWidth(2.6);
    tailStroker.setCapStyle(Qt::RoundCap);
    add(tailStroker.createStroke(tail));
    QPainterPath tuft;
    tuft.moveTo(56.5, 12);
    tuft.cubicTo(52, 10, 51.5, 5, 54, 1.5);
    tuft.cubicTo(55, 4, 57, 4, 58, 2);
    tuft.cubicTo(60.5, 5, 60.5, 10, 56.5, 12);
    tuft.closeSubpath();
    add(tuft);

    return path;
}

QPainterPath sword()
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    QPolygonF blade;
    blade << QPointF(3.2, 4) << QPointF(4.75, -1.5) << QPointF(6.3, 4) << QPointF(6.3, 24) << QPointF(3.2, 24);
    path.addPolygon(blade);
    path.closeSubpath();
    path.addRoundedRect(QRectF(0, 24, 9.5, 2.6), 1.2, 1.2); // guard
    path.addRect(QRectF(3.3, 26, 2.9, 6));                  // grip
    path.addEllipse(QPointF(4.75, 33), 2, 2);               // pommel
    return path.simplified();
}

// Maroon lines drawn over the yellow lion: eye, mouth, the edge of the mane,
// the line between the raised leg and the chest, the legs' far edges.
void drawLionDetails(QPainter &painter)
{
    QPen pen(paletteColour(Maroon), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    QPainterPath lines;
    // Eye and brow.
    lines.moveTo(14.5, 13.2);
    lines.quadTo(16.5, 12, 18.5, 13);
    // Mouth.
    lines.moveTo(11, 18.5);
    lines.quadTo(14, 19, 16, 17.5);
    // Mane's edge on the face and the neck.
    lines.moveTo(22, 10.5);
    lines.cubicTo(19.5, 14, 20, 19, 25, 23);
    // Locks of the mane, sweeping back.
    for (const QLineF &lock : {QLineF(24, 9.5, 29, 7.5), QLineF(25.5, 13.5, 31, 12.5), QLineF(26, 17.5, 31.5, 18),
                               QLineF(25.5, 21, 30, 23.5)})
        lines.addPath([&lock] {
            QPainterPath p(lock.p1());
            p.quadTo((lock.p1() + lock.p2()) / 2 + QPointF(0, -1), lock.p2());
            return p;
        }());
    // Raised leg against the chest.
    lines.moveTo(12, 27);
    lines.cubicTo(15.5, 28.2, 19, 27.5, 21, 26);
    // Haunch and thigh.
    lines.moveTo(42, 27);
    lines.cubicTo(40.5, 31, 41, 34, 44, 37);
    painter.drawPath(lines);
    painter.setPen(Qt::NoPen);
    painter.setBrush(paletteColour(Maroon));
    painter.drawEllipse(QPointF(16.2, 14.6), 1.1, 1.1);
    // Toes.
    painter.setPen(QPen(paletteColour(Maroon), 0.9));
    for (const QPointF &toe : {QPointF(16.5, 49), QPointF(19, 49), QPointF(41, 49), QPointF(43.5, 49)})
        painter.drawLine(toe, toe + QPointF(0, 3));
}

// A bo leaf: heart-shaped with a long drip tip, the tip at (0, -1), the stalk
// at about (0, 0.65), in a box of about 1.4 x 1.7 units.
QPainterPath boLeaf()
{
    QPainterPath path;
    path.moveTo(0, -1.05);
    path.cubicTo(0.08, -0.75, 0.25, -0.62, 0.45, -0.45);
    path.cubicTo(0.75, -0.2, 0.75, 0.25, 0.45, 0.42);
    path.cubicTo(0.3, 0.5, 0.12, 0.5, 0, 0.38);
    path.cubicTo(-0.12, 0.5, -0.3, 0.5, -0.45, 0.42);
    path.cubicTo(-0.75, 0.25, -0.75, -0.2, -0.45, -0.45);
    path.cubicTo(-0.25, -0.62, -0.08, -0.75, 0, -1.05);
    path.closeSubpath();
    // Stalk.
    path.addRect(QRectF(-0.05, 0.3, 0.1, 0.38));
    return path;
}

// The paths below are laid out for the 128-pixel icon.
constexpr int kPathIconSize = 128;

QImage drawIconAt(int size)
{
    const qreal unit = size / qreal(kIconGrid);
    const qreal pathScale = size / qreal(kPathIconSize);
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    drawIconBackground(painter, unit);

    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF panel(kPanelLeft * unit, kPanelTop * unit, (kPanelRight - kPanelLeft) * unit,
                       (kPanelBottom - kPanelTop) * unit);
    painter.setClipRect(panel);
    painter.setPen(Qt::NoPen);

    // Leaves, each with its point towards its corner.
    const qreal leafSize = 6.5 * pathScale; // half the leaf's length, in pixels
    const qreal inset = 7 * pathScale;
    struct Corner
    {
        QPointF centre;
        qreal angle;
    };
    const std::array<Corner, 4> corners = {{
        {panel.topLeft() + QPointF(inset, inset), -45},
        {panel.topRight() + QPointF(-inset, inset), 45},
        {panel.bottomLeft() + QPointF(inset, -inset), -135},
        {panel.bottomRight() + QPointF(-inset, -inset), 135},
    }};
    painter.setBrush(paletteColour(FlagYellow));
    for (const Corner &corner : corners) {
        QTransform t;
        t.translate(corner.centre.x(), corner.centre.y());
        t.rotate(corner.angle);
        t.scale(leafSize, leafSize);
        painter.drawPath(t.map(boLeaf()));
    }

    // The lion, its box placed as the small icon's lion is.
    painter.save();
    painter.translate(kLionX * unit, kLionY * unit - 2 * pathScale);
    painter.scale(pathScale, pathScale);
    painter.setBrush(paletteColour(FlagYellow));
    painter.drawPath(lionBody());
    painter.drawPath(sword());
    drawLionDetails(painter);
    painter.restore();
    return image;
}

// ---------------------------------------------------------------------------
// The .ico file: the 32 x 32 icon as a 4-bit BMP with its 16-colour palette,
// followed by the other sizes as PNG (read by Windows since Vista).

void putU16(QByteArray &out, quint16 v)
{
    const quint16 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), sizeof le);
}

void putU32(QByteArray &out, quint32 v)
{
    const quint32 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), sizeof le);
}

QByteArray bmpIconEntry(const QImage &indexed)
{
    Q_ASSERT(indexed.format() == QImage::Format_Indexed8);
    Q_ASSERT(indexed.colorCount() <= 16);
    const int w = indexed.width(), h = indexed.height();
    const int xorStride = ((w * 4 + 31) / 32) * 4;
    const int andStride = ((w + 31) / 32) * 4;
    QByteArray out;
    // BITMAPINFOHEADER; the height counts the colour rows and the mask rows.
    putU32(out, 40);
    putU32(out, quint32(w));
    putU32(out, quint32(2 * h));
    putU16(out, 1);
    putU16(out, 4);
    putU32(out, 0);
    putU32(out, quint32((xorStride + andStride) * h));
    putU32(out, 0);
    putU32(out, 0);
    putU32(out, 16);
    putU32(out, 0);
    for (int i = 0; i < 16; ++i) {
        const QRgb c = i < indexed.colorCount() ? indexed.color(i) : qRgb(0, 0, 0);
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append(char(0));
    }
    // Colour rows, bottom row first, two pixels a byte, left pixel high.
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(xorStride, '\0');
        const uchar *line = indexed.constScanLine(y);
        for (int x = 0; x < w; ++x)
            row[x / 2] = char(uchar(row[x / 2]) | (x % 2 == 0 ? line[x] << 4 : line[x]));
        out.append(row);
    }
    // Transparency mask: all zeros, every pixel opaque.
    out.append(QByteArray(andStride * h, '\0'));
    return out;
}

QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return bytes;
}

struct PngIcon
{
    int size;
    QByteArray png;
};

QByteArray icoFile(const QImage &small, const std::vector<PngIcon> &others)
{
    struct Entry
    {
        int width, height, colours, bits;
        QByteArray data;
    };
    std::vector<Entry> entries = {
        {small.width(), small.height(), 16, 4, bmpIconEntry(small)},
    };
    for (const PngIcon &icon : others)
        entries.push_back({icon.size, icon.size, 0, 32, icon.png});
    QByteArray out;
    putU16(out, 0); // reserved
    putU16(out, 1); // type: icon
    putU16(out, quint16(entries.size()));
    quint32 offset = quint32(6 + 16 * entries.size());
    for (const Entry &e : entries) {
        out.append(char(e.width >= 256 ? 0 : e.width));
        out.append(char(e.height >= 256 ? 0 : e.height));
        out.append(char(e.colours));
        out.append(char(0));
        putU16(out, 1); // planes
        putU16(out, quint16(e.bits));
        putU32(out, quint32(e.data.size()));
        putU32(out, offset);
        offset += quint32(e.data.size());
    }
    for (const Entry &e : entries)
        out.append(e.data);
    return out;
}

// ---------------------------------------------------------------------------
// The logo: an emblem (a V in a ring) and "VANTREL" over "C O M P U T E R S",
// white on black. The letters are drawn here, not taken from a font.

// Whole pixels for heights, widths and stems, so that upright strokes are
// crisp; only slanted and round edges are smoothed.
constexpr int kCapHeight = 23;
constexpr int kStem = 4;

QPainterPath polygonPath(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath rectPath(qreal x, qreal y, qreal w, qreal h)
{
    QPainterPath path;
    path.addRect(QRectF(x, y, w, h));
    return path;
}

// A V (or, upside down, the legs of an A) w wide: two slanted strokes, each
// `bar` wide measured across, meeting in a flat foot `foot` wide.
QPainterPath chevron(qreal w, qreal h, qreal bar, qreal foot, bool pointDown)
{
    // The inner edges run parallel to the outer ones and meet in the middle.
    const qreal innerDepth = h * (w / 2 - bar) / (w / 2 - foot / 2);
    auto y = [&](qreal fromOpenEnd) { return pointDown ? fromOpenEnd : h - fromOpenEnd; };
    return polygonPath({QPointF(0, y(0)), QPointF(bar, y(0)), QPointF(w / 2, y(innerDepth)), QPointF(w - bar, y(0)),
                        QPointF(w, y(0)), QPointF(w / 2 + foot / 2, y(h)), QPointF(w / 2 - foot / 2, y(h))});
}

// One letter of the maker's name, its top-left corner at (0, 0), kCapHeight
// high. Returns the letter's outline; *advance receives its width.
QPainterPath nameLetter(char letter, int *advance)
{
    const qreal h = kCapHeight, s = kStem;
    QPainterPath path;
    auto add = [&path](const QPainterPath &part) { path = path.united(part); };
    switch (letter) {
    case 'V':
        *advance = 15;
        add(chevron(15, h, 5, 5, true));
        break;
    case 'A': {
        const qreal w = 15;
        *advance = int(w);
        add(chevron(w, h, 5, 5, false));
        const QPainterPath hull =
            polygonPath({QPointF(0, h), QPointF(w / 2 - 2.5, 0), QPointF(w / 2 + 2.5, 0), QPointF(w, h)});
        add(rectPath(0, 15, w, 3).intersected(hull));
        break;
    }
    case 'N': {
        const qreal w = 13;
        *advance = int(w);
        add(rectPath(0, 0, s, h));
        add(rectPath(w - s, 0, s, h));
        add(polygonPath({QPointF(0, 0), QPointF(s + 1, 0), QPointF(w, h), QPointF(w - s - 1, h)}));
        break;
    }
    case 'T': {
        const qreal w = 14;
        *advance = int(w);
        add(rectPath(0, 0, w, s));
        add(rectPath((w - s) / 2, 0, s, h));
        break;
    }
    case 'R': {
        const qreal w = 13;
        *advance = int(w);
        const qreal bowlBottom = 13; // the bowl's lower edge, outside
        const qreal r = bowlBottom / 2;
        QPainterPath outer;
        outer.moveTo(0, 0);
        outer.lineTo(w - r, 0);
        outer.arcTo(QRectF(w - 2 * r, 0, 2 * r, bowlBottom), 90, -180);
        outer.lineTo(0, bowlBottom);
        outer.closeSubpath();
        const qreal ir = r - s;
        QPainterPath inner;
        inner.moveTo(s, s);
        inner.lineTo(w - r, s);
        inner.arcTo(QRectF(w - r - ir, s, 2 * ir, bowlBottom - 2 * s), 90, -180);
        inner.lineTo(s, bowlBottom - s);
        inner.closeSubpath();
        add(rectPath(0, 0, s, h));
        add(outer.subtracted(inner));
        add(polygonPath(
            {QPointF(4, bowlBottom - s), QPointF(4 + s + 1, bowlBottom - s), QPointF(w, h), QPointF(w - s - 1, h)}));
        break;
    }
    case 'E': {
        const qreal w = 11;
        *advance = int(w);
        add(rectPath(0, 0, s, h));
        add(rectPath(0, 0, w, s));
        add(rectPath(0, 10, w - 1, s - 1));
        add(rectPath(0, h - s, w, s));
        break;
    }
    case 'L': {
        const qreal w = 10;
        *advance = int(w);
        add(rectPath(0, 0, s, h));
        add(rectPath(0, h - s, w, s));
        break;
    }
    default:
        *advance = 0;
        break;
    }
    return path;
}

// A 5 x 7 pixel alphabet for the small line under the name: at 7 pixels high
// crisp pixels read better than a smoothed outline.
struct SmallGlyph
{
    char letter;
    std::array<std::string_view, 7> rows;
};

constexpr std::array<SmallGlyph, 8> kSmallGlyphs = {{
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
}};

const SmallGlyph *smallGlyph(char letter)
{
    for (const SmallGlyph &g : kSmallGlyphs)
        if (g.letter == letter)
            return &g;
    return nullptr;
}

constexpr SmallGlyph kSmallS = {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}};

// scale: device pixels to a pixel of the 159 x 52 design.
QImage drawLogo(int scale)
{
    constexpr int width = 159, height = 52;
    QImage image(width * scale, height * scale, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);

    // Emblem: a white ring with a V standing in it.
    const QPointF centre(25, 26);
    const qreal radius = 19.5;
    QPainterPath ring;
    ring.addEllipse(centre, radius, radius);
    QPainterPath hole;
    hole.addEllipse(centre, radius - 3, radius - 3);
    painter.setBrush(Qt::white);
    painter.drawPath(ring.subtracted(hole));
    {
        // A broad V whose arms are cut by the ring's inside edge; drawn for a
        // ring of radius 21 and scaled to this one.
        const qreal k = radius / 21;
        auto at = [&](qreal dx, qreal dy) { return centre + QPointF(dx * k, dy * k); };
        QPolygonF v;
        v << at(-15, -12) << at(-7, -12) << at(0, 3) << at(7, -12) << at(15, -12) << at(3, 14) << at(-3, 14);
        QPainterPath vPath;
        vPath.addPolygon(v);
        vPath.closeSubpath();
        QPainterPath inside;
        inside.addEllipse(centre, radius - 5, radius - 5);
        painter.drawPath(vPath.intersected(inside));
    }

    // The name, "VANTREL", right of the emblem. A leans into V, so that pair
    // stands one pixel closer than the others.
    const char name[] = "VANTREL";
    const int nameLeft = 52, nameTop = 6, letterGap = 2;
    int x = nameLeft;
    for (const char *p = name; *p; ++p) {
        int advance = 0;
        const QPainterPath letter = nameLetter(*p, &advance);
        if (p != name)
            x += (p[-1] == 'V' && *p == 'A') ? letterGap - 1 : letterGap;
        painter.drawPath(letter.translated(x, nameTop));
        x += advance;
    }
    const int nameRight = x;

    // "C O M P U T E R S" in small spaced pixel capitals, spanning the name.
    const char small[] = "COMPUTERS";
    const int count = int(sizeof small - 1);
    const int glyphW = 5, top = 38;
    const int spanLeft = nameLeft, spanRight = nameRight;
    const int spacing = (spanRight - spanLeft - count * glyphW) / (count - 1);
    const int used = count * glyphW + (count - 1) * spacing;
    int gx = spanLeft + (spanRight - spanLeft - used) / 2;
    for (int i = 0; i < count; ++i) {
        const SmallGlyph *g = small[i] == 'S' ? &kSmallS : smallGlyph(small[i]);
        if (g) {
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < glyphW; ++col)
                    if (g->rows[row][col] == '#')
                        painter.fillRect(QRect(gx + col, top + row, 1, 1), Qt::white);
        }
        gx += glyphW + spacing;
    }
    return image;
}

// ---------------------------------------------------------------------------
// The cross: a red disc with a yellow X on it, on black.

QImage drawCross(int scale)
{
    constexpr int width = 62, height = 64;
    QImage image(width * scale, height * scale, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPointF centre(width / 2.0, height / 2.0);
    const qreal radius = 29.5;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xD3, 0x1F, 0x26));
    painter.drawEllipse(centre, radius, radius);

    const qreal arm = 15.5; // from the centre to each end, along x and along y
    painter.setPen(QPen(QColor(0xFF, 0xD2, 0x1F), 8.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
    painter.drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
    return image;
}

// ---------------------------------------------------------------------------

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size() && file.flush();
}

// The small icon must hold only palette colours; check that the conversion
// to indexed colour kept every pixel as drawn.
bool sameColours(const QImage &indexed, const QImage &reference)
{
    const QImage back = indexed.convertToFormat(QImage::Format_RGB32);
    const QImage want = reference.convertToFormat(QImage::Format_RGB32);
    return back == want;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: draw_pictures OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir dir(args.at(1));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "draw_pictures: cannot make %s\n", qPrintable(args.at(1)));
        return 1;
    }

    const QImage drawn32 = drawIcon32();
    const QImage icon32 = drawn32.convertToFormat(QImage::Format_Indexed8, iconPalette(), Qt::ThresholdDither);
    if (icon32.format() != QImage::Format_Indexed8 || icon32.colorCount() != PaletteSize
        || !sameColours(icon32, drawn32)) {
        std::fprintf(stderr, "draw_pictures: the small icon does not fit its 16-colour palette\n");
        return 1;
    }
    bool ok = true;
    auto save = [&](const QImage &image, const QString &name) {
        if (!image.save(dir.filePath(name), "PNG")) {
            std::fprintf(stderr, "draw_pictures: cannot write %s\n", qPrintable(name));
            ok = false;
        }
    };
    save(icon32, QStringLiteral("icon.png"));
    std::vector<PngIcon> others;
    for (const int size : {16, 24, 48, 64, 128, 256}) {
        const QByteArray png = pngBytes(drawIconAt(size));
        const QString name = QStringLiteral("icon-%1.png").arg(size);
        if (png.isEmpty() || !writeFile(dir.filePath(name), png)) {
            std::fprintf(stderr, "draw_pictures: cannot write %s\n", qPrintable(name));
            ok = false;
        }
        others.push_back({size, png});
    }
    for (const int scale : {1, 2}) {
        const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
        save(drawLogo(scale), QStringLiteral("logo%1.png").arg(suffix));
        save(drawCross(scale), QStringLiteral("cross%1.png").arg(suffix));
    }
    if (!writeFile(dir.filePath(QStringLiteral("icon.ico")), icoFile(icon32, others))) {
        std::fprintf(stderr, "draw_pictures: cannot write icon.ico\n");
        ok = false;
    }
    return ok ? 0 : 1;
}
