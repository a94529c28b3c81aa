#include "screensaver/transitions/effect_catalogue.h"

#include "screensaver/transitions/effects/effects.h"
#include "settings/transition_catalogue.h"

namespace {

constexpr EffectCatalogueEntry kEffects[] = {
    {ParseTransitionClassId("{C3BDF740-0B58-11D2-A484-00C04F8EFB69}"), DrawBarn},
    {ParseTransitionClassId("{00C429C0-0BA9-11D2-A484-00C04F8EFB69}"), DrawBlinds},
    {ParseTransitionClassId("{93073C40-0BA5-11D2-A484-00C04F8EFB69}"), DrawInset},
    {ParseTransitionClassId("{3F69F351-0379-11D2-A484-00C04F8EFB69}"), DrawIris},
    {ParseTransitionClassId("{424B71AF-0695-11D2-A484-00C04F8EFB69}"), DrawRadialWipe},
    {ParseTransitionClassId("{810E402F-056B-11D2-A484-00C04F8EFB69}"), DrawSlide},
    {ParseTransitionClassId("{ACA97E00-0C7D-11D2-A484-00C04F8EFB69}"), DrawSpiral},
    {ParseTransitionClassId("{7658F2A2-0A83-11D2-A484-00C04F8EFB69}"), DrawStretch},
    {ParseTransitionClassId("{5AE1DAE0-1461-11D2-A484-00C04F8EFB69}"), DrawWheel},
    {ParseTransitionClassId("{E6E73D20-0C8A-11D2-A484-00C04F8EFB69}"), DrawZigzag},
    {ParseTransitionClassId("{16B280C5-EE70-11D1-9066-00C04FD9189D}"), DrawFade},
    {ParseTransitionClassId("{4CCEA634-FBE0-11D1-906A-00C04FD9189D}"), DrawPixelate},
    {kWipeClassId, DrawWipeHorizontal},
    {kWipeClassId, DrawWipeVertical},
    {ParseTransitionClassId("{107045D1-06E0-11D2-8D6D-00C04F8EF8E0}"), DrawBurnFilm},
    {ParseTransitionClassId("{AA0D4D0C-06A3-11D2-8F98-00C04FB92EB7}"), DrawCenterCurls},
    {ParseTransitionClassId("{2A54C908-07AA-11D2-8D6D-00C04F8EF8E0}"), DrawColorFade},
    {ParseTransitionClassId("{AA0D4D0E-06A3-11D2-8F98-00C04FB92EB7}"), DrawCurls},
    {ParseTransitionClassId("{AA0D4D12-06A3-11D2-8F98-00C04FB92EB7}"), DrawCurtains},
    {ParseTransitionClassId("{107045CC-06E0-11D2-8D6D-00C04F8EF8E0}"), DrawFadeWhite},
    {ParseTransitionClassId("{2A54C90B-07AA-11D2-8D6D-00C04F8EF8E0}"), DrawFlowMotion},
    {ParseTransitionClassId("{2A54C913-07AA-11D2-8D6D-00C04F8EF8E0}"), DrawGlassBlock},
    {ParseTransitionClassId("{2A54C911-07AA-11D2-8D6D-00C04F8EF8E0}"), DrawGrid},
    {ParseTransitionClassId("{2A54C904-07AA-11D2-8D6D-00C04F8EF8E0}"), DrawJaws},
    {ParseTransitionClassId("{107045CA-06E0-11D2-8D6D-00C04F8EF8E0}"), DrawLens},
    {ParseTransitionClassId("{107045C8-06E0-11D2-8D6D-00C04F8EF8E0}"), DrawLightWipe},
    {ParseTransitionClassId("{AA0D4D0A-06A3-11D2-8F98-00C04FB92EB7}"), DrawLiquid},
    {ParseTransitionClassId("{AA0D4D08-06A3-11D2-8F98-00C04FB92EB7}"), DrawPageCurl},
    {ParseTransitionClassId("{AA0D4D10-06A3-11D2-8F98-00C04FB92EB7}"), DrawPeelAbcd},
    {ParseTransitionClassId("{AA0D4D03-06A3-11D2-8F98-00C04FB92EB7}"), DrawRipple},
    {ParseTransitionClassId("{9C61F46E-0530-11D2-8F98-00C04FB92EB7}"), DrawRollDown},
    {ParseTransitionClassId("{2A54C915-07AA-11D2-8D6D-00C04F8EF8E0}"), DrawThreshold},
    {ParseTransitionClassId("{107045CF-06E0-11D2-8D6D-00C04F8EF8E0}"), DrawTwister},
    {ParseTransitionClassId("{2A54C90D-07AA-11D2-8D6D-00C04F8EF8E0}"), DrawVacuum},
    {ParseTransitionClassId("{107045C5-06E0-11D2-8D6D-00C04F8EF8E0}"), DrawWater},
    {ParseTransitionClassId("{0E6AE022-0C83-11D2-8CD4-00104BC75D9A}"), DrawWormHole},
};

static_assert(sizeof(kEffects) / sizeof(kEffects[0]) == kTransitionCount, "one effect per catalogue entry");

// Creating by class identifier needs every identifier but the wipe's to name one entry.
constexpr bool ClassesAreDistinct() {
    for (int i = 0; i < kTransitionCount; ++i) {
        for (int j = i + 1; j < kTransitionCount; ++j) {
            if (kEffects[i].classId == kEffects[j].classId && !(kEffects[i].classId == kWipeClassId)) return false;
        }
    }
    return true;
}
static_assert(ClassesAreDistinct(), "two catalogue entries share a class identifier");

}  // namespace

const EffectCatalogueEntry& EffectCatalogue(int index) {
    if (index < 0 || index >= kTransitionCount) index = 0;
    return kEffects[index];
}

int FindEffectClass(const TransitionClassId& classId) {
    for (int i = 0; i < kTransitionCount; ++i) {
        if (kEffects[i].classId == classId) return i;
    }
    return -1;
}
