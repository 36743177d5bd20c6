#include "platform/SystemLocale.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <string_view>

namespace vantorell {
namespace {

struct LocaleNumber {
    std::string_view name;  // "ll_TT", or "ll" for the language's main territory
    std::uint16_t id;
};

// Each language's first row is its main territory.
constexpr LocaleNumber kLocales[] = {
    {"en_US", 0x0409}, {"en_GB", 0x0809}, {"en_AU", 0x0C09}, {"en_CA", 0x1009}, {"en_NZ", 0x1409},
    {"en_IE", 0x1809}, {"en_ZA", 0x1C09}, {"en_IN", 0x4009}, {"de_DE", 0x0407}, {"de_CH", 0x0807},
    {"de_AT", 0x0C07}, {"de_LU", 0x1007}, {"fr_FR", 0x040C}, {"fr_BE", 0x080C}, {"fr_CA", 0x0C0C},
    {"fr_CH", 0x100C}, {"fr_LU", 0x140C}, {"es_ES", 0x0C0A}, {"es_MX", 0x080A}, {"es_AR", 0x2C0A},
    {"it_IT", 0x0410}, {"it_CH", 0x0810}, {"nl_NL", 0x0413}, {"nl_BE", 0x0813}, {"pt_BR", 0x0416},
    {"pt_PT", 0x0816}, {"sv_SE", 0x041D}, {"sv_FI", 0x081D}, {"da_DK", 0x0406}, {"nb_NO", 0x0414},
    {"nn_NO", 0x0814}, {"fi_FI", 0x040B}, {"is_IS", 0x040F}, {"pl_PL", 0x0415}, {"cs_CZ", 0x0405},
    {"sk_SK", 0x041B}, {"hu_HU", 0x040E}, {"ro_RO", 0x0418}, {"bg_BG", 0x0402}, {"hr_HR", 0x041A},
    {"sl_SI", 0x0424}, {"et_EE", 0x0425}, {"lv_LV", 0x0426}, {"lt_LT", 0x0427}, {"el_GR", 0x0408},
    {"tr_TR", 0x041F}, {"ru_RU", 0x0419}, {"uk_UA", 0x0422}, {"ja_JP", 0x0411}, {"ko_KR", 0x0412},
    {"zh_CN", 0x0804}, {"zh_TW", 0x0404}, {"zh_HK", 0x0C04}, {"zh_SG", 0x1004}, {"he_IL", 0x040D},
    {"ar_SA", 0x0401}, {"hi_IN", 0x0439}, {"th_TH", 0x041E},
};

constexpr std::uint16_t kInvariantLocale = 0x007F;
constexpr std::uint16_t kNeutralLocale = 0x0000;

const char* firstSet(std::initializer_list<const char*> variables) {
    for (const char* variable : variables) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return nullptr;
}

}  // namespace

std::uint16_t localeIdForName(const std::string& name) {
    // "ll_TT.codeset@modifier": only language and territory count.
    const std::string_view full(name);
    const std::string_view base = full.substr(0, full.find_first_of(".@"));
    if (base.empty() || base == "C" || base == "POSIX") {
        return kInvariantLocale;
    }
    const std::string_view language = base.substr(0, base.find('_'));
    const LocaleNumber* main = nullptr;
    for (const LocaleNumber& locale : kLocales) {
        if (locale.name == base) {
            return locale.id;
        }
        if (main == nullptr && locale.name.substr(0, locale.name.find('_')) == language) {
            main = &locale;
        }
    }
    return main != nullptr ? main->id : kNeutralLocale;
}

std::string userNumberLocaleName() {
    const char* name = firstSet({"LC_ALL", "LC_NUMERIC", "LANG"});
    return name != nullptr ? name : "C";
}

std::string userDecimalSeparator() {
    // A locale object of its own: the program's global locale stays as it is.
    const locale_t numbers = ::newlocale(LC_NUMERIC_MASK, userNumberLocaleName().c_str(),
                                         static_cast<locale_t>(nullptr));
    if (numbers == static_cast<locale_t>(nullptr)) {
        return ".";
    }
    const char* radix = ::nl_langinfo_l(RADIXCHAR, numbers);
    std::string separator = radix != nullptr && *radix != '\0' ? radix : ".";
    ::freelocale(numbers);
    return separator;
}

}  // namespace vantorell
