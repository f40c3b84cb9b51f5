#include "platform/qt/QtTextCache.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cmath>
#include <functional>
#include <unordered_map>

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
    I.setDevicePixelRatio(Like.devicePixelRatio());
    return I;
}

// A painter set up as the canvas sets up its own.
void Prepare(QPainter& P, const QFont& Font) {
    P.setRenderHint(QPainter::Antialiasing, false);
    P.setFont(Font);
}

// Whether every pixel of Image outside Box still has the colour Around.
bool StaysInside(const QImage& Image, const QRect& Box, QRgb Around) {
    const int Width = Image.width(), Height = Image.height();
    for (int Y = 0; Y < Height; ++Y) {
        const auto* Line = reinterpret_cast<const QRgb*>(Image.constScanLine(Y));
        const bool InRows = Y >= Box.top() && Y <= Box.bottom();
        for (int X = 0; X < Width; ++X)
            if ((!InRows || X < Box.left() || X > Box.right()) && (Line[X] | 0xFF000000) != Around)
                return false;
    }
    return true;
}

} // namespace

void TQtTextCache::DrawLabel(QPainter& P, const QString& S, const QFontMetrics& M,
                             std::optional<QColor> Cell, QColor Ink) {
    if (Cell) {
        const QRect Box(0, 0, M.horizontalAdvance(S), M.height());
        P.fillRect(Box, *Cell);
        // Finer than a pixel, antialiased edges of glyphs reach past the cell that hinting
        // keeps them in at one device pixel per pixel: the opaque cell holds them.
        if (P.device() && P.device()->devicePixelRatio() != 1)
            P.setClipRect(Box, Qt::IntersectClip);
    }
    P.setPen(Ink);
    P.drawText(0, M.ascent(), S);
}

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
        E.Texts.Clear();
        E.Recent = {};
    }
    FPalettes.clear();
    FTexts = 0;
    FLabelBytes = 0;
}

TQtTextCache::TText& TQtTextCache::Text(TFontEntry& E, const std::string& Text) {
    for (const auto& [Key, Record] : E.Recent)
        if (Key && *Key == Text)
            return *Record;
    bool Made = false;
    auto* Found = &E.Texts.Find(Text, Made);
    if (Made) {
        if (FTexts >= MaxTexts) {
            StartAfresh();
            Found = &E.Texts.Find(Text, Made);
        }
        ++FTexts;
    }
    // Records stay where they are until the table is cleared, and the recent ones with it.
    E.Recent[E.NextRecent] = {&Found->Key, &Found->Value};
    E.NextRecent = (E.NextRecent + 1) % E.Recent.size();
    return Found->Value;
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

const TQtTextCache::TPixels* TQtTextCache::Label(const TFont& F, TColor Background,
                                                 const std::string& Text, const QImage& Like,
                                                 QPoint Phase) {
    TFontEntry& E = Entry(F);
    TText* T = &this->Text(E, Text);
    const QImage::Format Format = Like.format();
    const int DotsPerMeter = Like.dotsPerMeterX();
    const qreal Ratio = Like.devicePixelRatio();
    auto Matches = [&](const TLabel& L) {
        return L.Foreground == F.Color && L.Background == Background && L.Format == Format &&
               L.DotsPerMeter == DotsPerMeter && L.Ratio == Ratio && L.Phase == Phase;
    };
    auto It = std::find_if(T->Labels.begin(), T->Labels.end(), Matches);
    if (It == T->Labels.end()) {
        TPixels Pixels;
        const QImage Rendered =
            Render(E.Font, F.Color, Background, Text, Like, Phase, Pixels.Offset);
        std::size_t Count = 0;
        if (!Rendered.isNull()) {
            const TIndexed Kept = Indexed(Rendered, Palette(F.Color, Background, Format));
            Pixels.Image = Kept.Image;
            Count = BytesOf(Kept, Ratio);
        }
        if (Count > MaxLabelBytes / 256) {
            Pixels.Image = QImage(); // a label that large draws in place
        } else if (FLabelBytes + Count > MaxLabelBytes) {
            StartAfresh();
            T = &this->Text(E, Text);
        }
        if (!Pixels.Image.isNull())
            FLabelBytes += Count;
        T->Labels.push_back(
            TLabel{F.Color, Background, Format, DotsPerMeter, Ratio, Phase, std::move(Pixels)});
        It = T->Labels.end() - 1;
    }
    return It->Pixels.Image.isNull() ? nullptr : &It->Pixels;
}

QImage TQtTextCache::Render(const QFont& Font, TColor Foreground, TColor Background,
                            const std::string& Text, const QImage& Like, QPoint Phase,
                            QPoint& Offset) {
    const QtPixelWrites::TDeviceGrid Grid(Like.devicePixelRatio());
    const int Period = Grid.Period();
    const QString S = ToQString(Text);
    QImage Probe = ImageLike(QSize(1, 1), Like);
    QPainter P(&Probe);
    Prepare(P, Font);
    const QFontMetrics M = P.fontMetrics();
    P.end();
    const QRect Box(0, 0, M.horizontalAdvance(S), M.height());
    if (Box.isEmpty() || Like.depth() != 32 || Period == 0)
        return {};
    // Drawn on two backgrounds around the box: ink outside it shows on at least one of them,
    // and background inside it differs between them. The text's point lies at its phase,
    // whole periods in from the image's corner.
    const QRect Area =
        Box.united(M.boundingRect(S).translated(0, M.ascent()).adjusted(-2, -2, 2, 2));
    auto Periods = [Period](int Pixels) {
        return (std::max(0, Pixels) + Period - 1) / Period * Period;
    };
    const QPoint Margin(Periods(-Area.left()), Periods(-Area.top()));
    const QPoint Origin = Margin + Phase;
    const QSize Logical(Origin.x() + Area.right() + 1 + Period,
                        Origin.y() + Area.bottom() + 1 + Period);
    const QRect InImage = Grid.Fill(Box.translated(Origin));
    QImage Inside;
    for (QRgb Around : {qRgb(0, 0, 0), qRgb(255, 255, 255)}) {
        QImage I = ImageLike(QtPixelWrites::DeviceSize(Logical, Grid.Ratio()), Like);
        I.fill(Around);
        QPainter Q(&I);
        Prepare(Q, Font);
        Q.translate(Origin);
        DrawLabel(Q, S, M, ToQColor(Background), ToQColor(Foreground));
        Q.end();
        if (!StaysInside(I, InImage, Around))
            return {};
        QImage Copy = I.copy(InImage);
        if (!Inside.isNull() && Copy != Inside)
            return {};
        Inside = std::move(Copy);
    }
    const QPoint DeviceMargin(static_cast<int>(Margin.x() * Grid.Ratio()),
                              static_cast<int>(Margin.y() * Grid.Ratio()));
    Offset = InImage.topLeft() - DeviceMargin;
    return Inside;
}

TQtTextCache::TPalette& TQtTextCache::Palette(TColor Foreground, TColor Background,
                                              QImage::Format Format) {
    return FPalettes[{Foreground, Background, Format}];
}

bool TQtTextCache::Encode(const QImage& Image, TPalette& Palette, QImage& Result) {
    for (int Y = 0; Y < Image.height(); ++Y) {
        const auto* From = reinterpret_cast<const QRgb*>(Image.constScanLine(Y));
        uchar* To = Result.scanLine(Y);
        for (int X = 0; X < Image.width(); ++X) {
            auto It = Palette.Index.find(From[X]);
            if (It == Palette.Index.end()) {
                if (Palette.Table.size() == 256)
                    return false;
                It = Palette.Index.emplace(From[X], static_cast<uchar>(Palette.Table.size())).first;
                Palette.Table.append(From[X]);
            }
            To[X] = It->second;
        }
    }
    Result.setColorTable(Palette.Table);
    return true;
}

TQtTextCache::TIndexed TQtTextCache::Indexed(const QImage& Image, TPalette& Shared) {
    QImage Result(Image.size(), QImage::Format_Indexed8);
    Result.setDotsPerMeterX(Image.dotsPerMeterX());
    Result.setDotsPerMeterY(Image.dotsPerMeterY());
    Result.setDevicePixelRatio(Image.devicePixelRatio());
    if (Encode(Image, Shared, Result))
        return {Result, 0};
    TPalette Own;
    if (Encode(Image, Own, Result))
        return {Result, static_cast<std::size_t>(Own.Table.size()) * sizeof(QRgb)};
    return {Image, 0};
}

std::size_t TQtTextCache::BytesOf(const TIndexed& Label, qreal Ratio) {
    // With the image's own record and, unless shared, its colour table.
    constexpr std::size_t Record = 256;
    const std::size_t Bytes =
        static_cast<std::size_t>(Label.Image.sizeInBytes()) + Record + Label.TableBytes;
    return static_cast<std::size_t>(std::ceil(static_cast<double>(Bytes) / (Ratio * Ratio)));
}
