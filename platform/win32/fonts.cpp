// Fonts from the declared FontSpec, created once per window and shared by its controls.
#include <string>

#include "platform/win32/live_window.h"
#include "platform/win32/wide.h"

namespace {

bool SameFontSpec(const FontSpec& a, const FontSpec& b)
{
    return a.face == b.face && a.height == b.height && a.weight == b.weight && a.underline == b.underline;
}

// A negative height asks for the character height in pixels, as the layouts give it.
HFONT CreateDeclaredFont(const FontSpec& declared)
{
    std::wstring face = Utf8ToWide(declared.face);
    return CreateFontW(-declared.height, 0, 0, 0, declared.weight, FALSE, declared.underline ? TRUE : FALSE, FALSE,
                       GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

HFONT DefaultGuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

}  // namespace

HFONT WindowFont(LiveWindow& window, const FontSpec& declared)
{
    if (declared.height <= 0) {
        return DefaultGuiFont();
    }
    for (auto& [known, font] : window.fonts) {
        if (SameFontSpec(known, declared)) {
            return font;
        }
    }
    HFONT font = CreateDeclaredFont(declared);
    if (font == nullptr) {
        return DefaultGuiFont();
    }
    window.fonts.emplace_back(declared, font);
    return font;
}
