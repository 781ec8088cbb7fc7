// Fonts from the declared FontSpec at the window's scale, created once per window and shared by its controls.
#include <string>

#include "platform/win32/live_window.h"
#include "platform/win32/wide.h"

namespace {

bool SameFontSpec(const FontSpec& a, const FontSpec& b)
{
    return a.face == b.face && a.height == b.height && a.weight == b.weight && a.underline == b.underline;
}

// A negative height asks for the character height in pixels, as the layouts give it at 96 DPI.
HFONT CreateDeclaredFont(const FontSpec& declared, LayoutScale scale)
{
    std::wstring face = Utf8ToWide(declared.face);
    return CreateFontW(-ScaleDeclared(declared.height, scale), 0, 0, 0, declared.weight, FALSE,
                       declared.underline ? TRUE : FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

HFONT DefaultGuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// The stock GUI font is made for the system DPI and never scales; a window at another scale gets
// a copy of it scaled from the system's (SystemDpi / 96) to the window's.
HFONT CreateScaledGuiFont(LayoutScale scale)
{
    LOGFONTW font{};
    if (GetObjectW(DefaultGuiFont(), sizeof(font), &font) == 0) {
        return nullptr;
    }
    int numerator = scale.numerator * kDeclaredDpi;
    int denominator = scale.denominator * SystemDpi();
    font.lfHeight = MulDiv(font.lfHeight, numerator, denominator);
    font.lfWidth = MulDiv(font.lfWidth, numerator, denominator);
    return CreateFontIndirectW(&font);
}

}  // namespace

HFONT WindowFont(LiveWindow& window, const FontSpec& declared)
{
    bool guiFont = declared.height <= 0;
    if (guiFont && SameScale(window.scale, LayoutScale{SystemDpi(), kDeclaredDpi})) {
        return DefaultGuiFont();
    }
    FontSpec key = guiFont ? FontSpec{} : declared;
    for (auto& [known, font] : window.fonts) {
        if (SameFontSpec(known, key)) {
            return font;
        }
    }
    HFONT font = guiFont ? CreateScaledGuiFont(window.scale) : CreateDeclaredFont(declared, window.scale);
    if (font == nullptr) {
        return DefaultGuiFont();
    }
    window.fonts.emplace_back(key, font);
    return font;
}

void ReleaseFonts(std::vector<std::pair<FontSpec, HFONT>>& fonts)
{
    for (auto& [declared, font] : fonts) {
        DeleteObject(font);
    }
    fonts.clear();
}
