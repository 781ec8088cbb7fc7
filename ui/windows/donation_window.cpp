// The donation window: one picture of two payment-style QR codes.
#include "core/window_names.h"
#include "pictures/donation.h"
#include "ui/windows.h"

namespace {

constexpr ControlDeclaration kControls[] = {
    PicBox("图片框1", kDonationPng, {0, 0, 560, 400}),
};

}  // namespace

const WindowDeclaration& DonationWindowDeclaration()
{
    static constexpr WindowDeclaration window = {DonationWindow, "", 570, 429, 0xFFFFFF, kControls};
    return window;
}
