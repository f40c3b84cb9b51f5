// Draws the start window's background picture and writes it as a baseline JPEG: a dark blue
// gradient with a faint millimetre grid and the coupler curves of a four-bar linkage, glowing.
// Everything is computed, nothing random, so every run writes the same bytes.
// Usage: GenerateStartPicture OUTPUT.jpg
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int Width = 800;
constexpr int Height = 600;
constexpr double Pi = 3.14159265358979323846;

struct TRgb {
    double R, G, B;
};

class TPicture {
public:
    TPicture() : FPixels(static_cast<std::size_t>(Width) * Height) {}

    void Background() {
        for (int Y = 0; Y < Height; ++Y)
            for (int X = 0; X < Width; ++X) {
                const double T = static_cast<double>(Y) / (Height - 1);
                const double S = static_cast<double>(X) / (Width - 1);
                TRgb& P = At(X, Y);
                P = {8 + 10 * S, 22 + 30 * T, 52 + 50 * T};
                if (X % 40 == 0 || Y % 40 == 0)
                    P = {P.R + 10, P.G + 14, P.B + 18};
            }
    }

    // Adds a soft round spot of light.
    void Glow(double CX, double CY, double Radius, TRgb Colour) {
        for (int Y = static_cast<int>(CY - Radius); Y <= static_cast<int>(CY + Radius); ++Y)
            for (int X = static_cast<int>(CX - Radius); X <= static_cast<int>(CX + Radius); ++X) {
                if (X < 0 || Y < 0 || X >= Width || Y >= Height)
                    continue;
                const double D = std::hypot(X - CX, Y - CY) / Radius;
                if (D >= 1)
                    continue;
                const double A = (1 - D) * (1 - D);
                TRgb& P = At(X, Y);
                P = {P.R + Colour.R * A, P.G + Colour.G * A, P.B + Colour.B * A};
            }
    }

    void Line(double X1, double Y1, double X2, double Y2, double Radius, TRgb Colour) {
        const int Steps = static_cast<int>(std::hypot(X2 - X1, Y2 - Y1)) + 1;
        for (int I = 0; I <= Steps; ++I) {
            const double T = static_cast<double>(I) / Steps;
            Glow(X1 + (X2 - X1) * T, Y1 + (Y2 - Y1) * T, Radius, Colour);
        }
    }

    bool Write(const char* FileName) const {
        std::FILE* File = std::fopen(FileName, "wb");
        if (!File)
            return false;
        jpeg_compress_struct Info{};
        jpeg_error_mgr Errors{};
        Info.err = jpeg_std_error(&Errors);
        jpeg_create_compress(&Info);
        jpeg_stdio_dest(&Info, File);
        Info.image_width = Width;
        Info.image_height = Height;
        Info.input_components = 3;
        Info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&Info);
        jpeg_set_quality(&Info, 90, TRUE);
        jpeg_start_compress(&Info, TRUE);
        std::vector<JSAMPLE> Row(static_cast<std::size_t>(Width) * 3);
        while (Info.next_scanline < Info.image_height) {
            const int Y = static_cast<int>(Info.next_scanline);
            for (int X = 0; X < Width; ++X) {
                const TRgb& P = FPixels[static_cast<std::size_t>(Y) * Width + X];
                Row[X * 3] = Byte(P.R);
                Row[X * 3 + 1] = Byte(P.G);
                Row[X * 3 + 2] = Byte(P.B);
            }
            JSAMPROW Rows[] = {Row.data()};
            jpeg_write_scanlines(&Info, Rows, 1);
        }
        jpeg_finish_compress(&Info);
        jpeg_destroy_compress(&Info);
        return std::fclose(File) == 0;
    }

private:
    TRgb& At(int X, int Y) { return FPixels[static_cast<std::size_t>(Y) * Width + X]; }
    static JSAMPLE Byte(double V) { return static_cast<JSAMPLE>(std::clamp(V, 0.0, 255.0)); }

    std::vector<TRgb> FPixels;
};

struct TXY {
    double X, Y;
};

// A crank-rocker: frame joints A and D, crank AB, coupler BC, rocker CD; the coupler point P
// lies off the coupler. Returns false where the linkage cannot close.
bool CouplerPoint(double Crank, TXY& B, TXY& C, TXY& P) {
    const TXY A{0, 0}, D{4, 0};
    const double AB = 1.4, BC = 3.6, CD = 3.0;
    B = {A.X + AB * std::cos(Crank), A.Y + AB * std::sin(Crank)};
    const double DX = D.X - B.X, DY = D.Y - B.Y, Dist = std::hypot(DX, DY);
    const double Along = (BC * BC - CD * CD + Dist * Dist) / (2 * Dist);
    const double Across2 = BC * BC - Along * Along;
    if (Across2 < 0)
        return false;
    const double Across = std::sqrt(Across2);
    C = {B.X + (DX * Along - DY * Across) / Dist, B.Y + (DY * Along + DX * Across) / Dist};
    const double UX = (C.X - B.X) / BC, UY = (C.Y - B.Y) / BC;
    P = {B.X + UX * 1.8 - UY * 1.6, B.Y + UY * 1.8 + UX * 1.6};
    return true;
}

// World units to picture pixels: the linkage sits in the picture's right half.
TXY ToPixel(TXY W) {
    return {440 + W.X * 58, 500 - W.Y * 58};
}

void DrawLinkage(TPicture& Picture) {
    const TRgb Curve{40, 120, 150};
    TXY Last{};
    bool HaveLast = false;
    for (int I = 0; I <= 720; ++I) {
        TXY B, C, P;
        if (!CouplerPoint(2 * Pi * I / 720, B, C, P)) {
            HaveLast = false;
            continue;
        }
        const TXY Now = ToPixel(P);
        if (HaveLast)
            Picture.Line(Last.X, Last.Y, Now.X, Now.Y, 3, Curve);
        Last = Now;
        HaveLast = true;
    }
    TXY B, C, P;
    if (!CouplerPoint(1.1, B, C, P))
        return;
    const TRgb Bar{60, 70, 80};
    const TXY Pixels[] = {ToPixel({0, 0}), ToPixel(B), ToPixel(C), ToPixel({4, 0}), ToPixel(P)};
    Picture.Line(Pixels[0].X, Pixels[0].Y, Pixels[1].X, Pixels[1].Y, 4, Bar);
    Picture.Line(Pixels[1].X, Pixels[1].Y, Pixels[2].X, Pixels[2].Y, 4, Bar);
    Picture.Line(Pixels[2].X, Pixels[2].Y, Pixels[3].X, Pixels[3].Y, 4, Bar);
    Picture.Line(Pixels[1].X, Pixels[1].Y, Pixels[4].X, Pixels[4].Y, 3, Bar);
    Picture.Line(Pixels[2].X, Pixels[2].Y, Pixels[4].X, Pixels[4].Y, 3, Bar);
    for (const TXY& J : Pixels)
        Picture.Glow(J.X, J.Y, 12, {120, 130, 120});
}

} // namespace

int main(int Argc, char** Argv) {
    if (Argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.jpg\n", Argv[0]);
        return 2;
    }
    TPicture Picture;
    Picture.Background();
    DrawLinkage(Picture);
    if (!Picture.Write(Argv[1])) {
        std::fprintf(stderr, "cannot write %s\n", Argv[1]);
        return 1;
    }
    return 0;
}
