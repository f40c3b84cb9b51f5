#include "platform/qt/QtTextCache.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <functional>

namespace {

QString ToQString(const std::string& S) {
    return QString::fromUtf8(S.data(), static_cast<qsizetype>(S.size()));
}

QColor ToQColor(TColor C) {
    return QColor(GetRValue(C), GetGValue(C), GetBValue(C));
}

QImage ImageLike(QSize Size, const QImage& Like) {
    QImage I(Size, Like.format());
    I.setDotsPerMeterX(Like.dotsPerMeterX());
    I.setDotsPerMeterY(Like.dotsPerMeterY());
    return I;
}

// A painter set up as the canvas sets up its own.
void Prepare(QPainter& P, const QFont& Font) {
    P.setRenderHint(QPainter::Antialiasing, false);
    P.setFont(Font);
}

// Whether every pixel of Image outside Box still has the colour Around.
bool StaysInside(const QImage& Image, const QRect& Box, QRgb Around) {
    for (int Y = 0; Y < Image.height(); ++Y) {
        const auto* Line = reinterpret_cast<const QRgb*>(Image.constScanLine(Y));
        const bool InRows = Y >= Box.top() && Y <= Box.bottom();
        for (int X = 0; X < Image.width(); ++X)
            if ((!InRows || X < Box.left() || X > Box.right()) && (Line[X] | 0xFF000000) != Around)
                return false;
    }
    return true;
}

} // namespace

TQtTextCache::TFontEntry& TQtTextCache::Entry(const TFont& F) {
    auto Matches = [&F](const TFontEntry& E) {
        return E.Height == F.Height && E.Style == F.Style && E.Name == F.Name;
    };
    if (FLast < FFonts.size() && Matches(FFonts[FLast]))
        return FFonts[FLast];
    auto It = std::find_if(FFonts.begin(), FFonts.end(), Matches);
    if (It == FFonts.end()) {
        if (FFonts.size() >= MaxFonts) {
            FFonts.clear();
            StartAfresh();
        }
        QFont Q(ToQString(F.Name));
        Q.setPixelSize(std::max(1, F.Height));
        Q.setBold((F.Style & fsBold) != 0);
        Q.setItalic((F.Style & fsItalic) != 0);
        Q.setUnderline((F.Style & fsUnderline) != 0);
        Q.setStrikeOut((F.Style & fsStrikeOut) != 0);
        FFonts.push_back(TFontEntry{F.Name, F.Height, F.Style, Q, -1, {}});
        It = FFonts.end() - 1;
    }
    FLast = static_cast<std::size_t>(It - FFonts.begin());
    return *It;
}

const QFont& TQtTextCache::Font(const TFont& F) {
    return Entry(F).Font;
}

void TQtTextCache::StartAfresh() {
    for (TFontEntry& E : FFonts) {
        E.Texts.clear();
        E.Recent = {};
    }
    FTexts = 0;
    FLabelPixels = 0;
}

TQtTextCache::TText& TQtTextCache::Text(TFontEntry& E, const std::string& Text) {
    for (const auto& [Key, Record] : E.Recent)
        if (Key && *Key == Text)
            return *Record;
    auto It = E.Texts.find(Text);
    if (It == E.Texts.end()) {
        if (FTexts >= MaxTexts)
            StartAfresh();
        ++FTexts;
        It = E.Texts.emplace(Text, TText{}).first;
    }
    // Map nodes stay where they are until the map is cleared, and the recent ones with it.
    E.Recent[E.NextRecent] = {&It->first, &It->second};
    E.NextRecent = (E.NextRecent + 1) % E.Recent.size();
    return It->second;
}

int TQtTextCache::Width(const TFont& F, const std::string& Text) {
    TFontEntry& E = Entry(F);
    TText& T = this->Text(E, Text);
    if (T.Width < 0)
        T.Width = QFontMetrics(E.Font).horizontalAdvance(ToQString(Text));
    return T.Width;
}

int TQtTextCache::Height(const TFont& F) {
    TFontEntry& E = Entry(F);
    if (E.LineHeight < 0)
        E.LineHeight = QFontMetrics(E.Font).height();
    return E.LineHeight;
}

const QImage* TQtTextCache::Label(const TFont& F, TColor Background, const std::string& Text,
                                  const QImage& Like) {
    TFontEntry& E = Entry(F);
    TText* T = &this->Text(E, Text);
    const QImage::Format Format = Like.format();
    const int DotsPerMeter = Like.dotsPerMeterX();
    auto Matches = [&](const TLabel& L) {
        return L.Foreground == F.Color && L.Background == Background && L.Format == Format &&
               L.DotsPerMeter == DotsPerMeter;
    };
    auto It = std::find_if(T->Labels.begin(), T->Labels.end(), Matches);
    if (It == T->Labels.end()) {
        QImage Image = Render(E.Font, F.Color, Background, Text, Like);
        const std::size_t Pixels = static_cast<std::size_t>(Image.width()) * Image.height();
        if (Pixels > MaxLabelPixels / 64) {
            Image = QImage(); // a label that large draws in place
        } else if (FLabelPixels + Pixels > MaxLabelPixels) {
            StartAfresh();
            T = &this->Text(E, Text);
        }
        FLabelPixels += static_cast<std::size_t>(Image.width()) * Image.height();
        T->Labels.push_back(TLabel{F.Color, Background, Format, DotsPerMeter, std::move(Image)});
        It = T->Labels.end() - 1;
    }
    return It->Image.isNull() ? nullptr : &It->Image;
}

QImage TQtTextCache::Render(const QFont& Font, TColor Foreground, TColor Background,
                            const std::string& Text, const QImage& Like) {
    const QString S = ToQString(Text);
    QImage Probe = ImageLike(QSize(1, 1), Like);
    QPainter P(&Probe);
    Prepare(P, Font);
    const QFontMetrics M = P.fontMetrics();
    P.end();
    const QRect Box(0, 0, M.horizontalAdvance(S), M.height());
    if (Box.isEmpty() || Like.depth() != 32)
        return {};
    // Drawn on two backgrounds around the box: ink outside it shows on at least one of them.
    const QRect Area =
        Box.united(M.boundingRect(S).translated(0, M.ascent()).adjusted(-2, -2, 2, 2));
    QImage Inside;
    for (QRgb Around : {qRgb(0, 0, 0), qRgb(255, 255, 255)}) {
        QImage I = ImageLike(Area.size(), Like);
        I.fill(Around);
        QPainter Q(&I);
        Prepare(Q, Font);
        Q.translate(-Area.topLeft());
        Q.fillRect(Box, ToQColor(Background));
        Q.setPen(ToQColor(Foreground));
        Q.drawText(0, M.ascent(), S);
        Q.end();
        const QRect InImage = Box.translated(-Area.topLeft());
        if (!StaysInside(I, InImage, Around))
            return {};
        Inside = I.copy(InImage);
    }
    return Inside;
}
