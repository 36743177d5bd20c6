#include "engine/tqmh01/BuiltInKeyTexts.h"

#include <array>
#include <stdexcept>
#include <string>

namespace vantorell::engine {
namespace {

constexpr std::array<std::string_view, kBuiltInKeyTextCount> kTexts = {
    "qND5QRM$@}zIp1(WPI{q,91%",
    ";L!AIIXV<_s{xRWB~)mDRFS@",
    "=h5Y{)yS%M}fVQ.yX[M)0lq9{)xyH",
    "L}<f#Mi$ABQRgY}'j4+CD#s^Dss3-AKO[_S(+G>6cr|W99Gs)k",
    "(~]Mz|+SRX.}G!Q~:7=",
    "L4Wp+OpKYF,s'Wm`iuIIBX~i6-IIe>8ZTR{:Yy",
    "_%B!/Qm3KpOAg^Yg$s)rj/[9r%&fF(XwG;!}z]G99CS't",
    "7s.!M5G/kLcR~OCR=3UmO{6rE#aKV*{~BvVZDHG7_ha_n",
    "PLju}rJ#vl1+!7!|jX{#IVr8hE~I-7%|1](+P3@p`Kp4v",
    "+cH{/V]~fhNeb+c`Qck.mo_n!O;_JxNO~giK5t7_]j:[O",
    "T7Aa38H|#y<5f'nx|p^&a$u1>C:#yUa-INxh[1v<8=1eZ",
    "CRog:XLp*9jKu2i0uNC3=]R1e(]k>^M4:DV:5'2Ug^G~s",
    "XM+!)[n|%Thk|%dZt&K!XV$$c![>(KBl'w2N(|;_E)U&mL",
    "LYr-/:Y1zx(hX_b%QIY+JG0zyse(03P<d6NR~1MWa0*Rx&V",
    "SFaM:6$hwdOXa}<7I1Yej(Q<&O4Q~'uB(Q-",
    "`h{gl0uLsGbDFnJ[]LcA@_]h$JN24G;]#_",
};

constexpr std::array<std::size_t, kBuiltInKeyTextCount> kLengths = {24, 24, 29, 50, 19, 38, 45, 45,
                                                                    45, 45, 45, 45, 46, 47, 35, 34};

constexpr bool lengthsHold() {
    for (int i = 0; i < kBuiltInKeyTextCount; ++i) {
        if (kTexts[i].size() != kLengths[i]) {
            return false;
        }
        for (const char c : kTexts[i]) {
            if (c < 33 || c > 126) {
                return false;
            }
        }
    }
    return true;
}
static_assert(lengthsHold(), "each built-in key text keeps its length and printable characters");

}  // namespace

std::string_view builtInKeyText(int number) {
    if (number < 1 || number > kBuiltInKeyTextCount) {
        throw std::out_of_range("there is no built-in key text " + std::to_string(number));
    }
    return kTexts[static_cast<std::size_t>(number - 1)];
}

}  // namespace vantorell::engine
