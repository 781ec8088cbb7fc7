// Fonts from the declared FontSpec, created once per window and shared by its controls.
#include <string>

#include "platform/win32/live_window.h"
#include "platform/win32/wide.h"

namespace {

bool SameSpec(const FontSpec& a, const FontSpec& b)
{
    return a.face == b.face && a.height == b.height && a.weight == b.weight && a.underline == b.underline;
}

// A negative height asks for the character height in pixels, as the layouts give it.
HFONT CreateSpecFont(const FontSpec& spec)
{
    std::wstring face = Utf8ToWide(spec.face);
    return CreateFontW(-spec.height, 0, 0, 0, spec.weight, FALSE, spec.underline ? TRUE : FALSE, FALSE,
                       GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

HFONT DefaultGuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

}  // namespace

HFONT WindowFont(LiveWindow& window, const FontSpec& spec)
{
    if (spec.height <= 0) {
        return DefaultGuiFont();
    }
    for (auto& [known, font] : window.fonts) {
        if (SameSpec(known, spec)) {
            return font;
        }
    }
    HFONT font = CreateSpecFont(spec);
    if (font == nullptr) {
        return DefaultGuiFont();
    }
    window.fonts.emplace_back(spec, font);
    return font;
}
