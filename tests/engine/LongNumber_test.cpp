#include "engine/tqmh01/LongNumber.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace vantorell::engine {
namespace {

std::string randomNumberText(std::mt19937& rng, std::size_t pairs) {
    std::uniform_int_distribution<int> digit('0', 'o');
    std::string text;
    while (text.size() < 2 * pairs) {
        text += static_cast<char>(digit(rng));
        text += static_cast<char>(digit(rng));
        if (text == "00") {
            text.clear();  // no leading zero word
        }
    }
    return text;
}

TEST(LongNumberTest, TextToNumberToTextIsTheIdentity) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<std::size_t> pairs(1, kLongNumberWords);
    for (int i = 0; i < 500; ++i) {
        const std::string text = randomNumberText(rng, pairs(rng));
        EXPECT_EQ(longNumberToText(longNumberFromText(text)), text);
    }
}

TEST(LongNumberTest, TextFillsTheWordsFromTheEnd) {
    const LongNumber n = longNumberFromText("10oo");
    EXPECT_EQ(n.words[79], 4095);
    EXPECT_EQ(n.words[78], 64);
    EXPECT_EQ(n.words[77], 0);
    EXPECT_EQ(n, LongNumber::fromInteger(64 * 4096 + 4095));

    EXPECT_TRUE(longNumberFromText("").isZero());
    EXPECT_EQ(longNumberToText(LongNumber{}), "");
    // A leading zero word is read, but not written back.
    EXPECT_EQ(longNumberToText(longNumberFromText("0001")), "01");
}

TEST(LongNumberTest, RefusesTextsThatAreNoNumbers) {
    for (const std::string& text :
         {std::string("012"), std::string(162, '1'), std::string("/1"), std::string("0p"),
          std::string("0 "), std::string("\xC3\xA4")}) {
        EXPECT_THROW(longNumberFromText(text), LongNumberError) << text;
    }
    EXPECT_NO_THROW(longNumberFromText(std::string(160, 'o')));
}

TEST(LongNumberTest, SignificantLengthCountsWordsLessOne) {
    EXPECT_EQ(LongNumber{}.significantLength(), 0);
    EXPECT_EQ(LongNumber::fromInteger(4095).significantLength(), 0);
    EXPECT_EQ(LongNumber::fromInteger(4096).significantLength(), 1);
    LongNumber top;
    top.words[0] = 1;
    EXPECT_EQ(top.significantLength(), 79);
}

// base, exponent, modulus, result as long-number texts, worked out with Python's pow()
// (an exponent of 0 gives 1 unreduced, as the routine starts its result at 1).
struct PowerCase {
    const char* base;
    const char* exponent;
    const char* modulus;
    const char* result;
};
const PowerCase kPowerCases[] = {
    {"02", "0:", "?X", "0H"},
    {"07FldE", "01", "3d93", "1_KT"},
    {"05", "", "01", "01"},
    {"0jgVRa", "05", "01", ""},
    {"", "07", "030i", ""},
    {"6@`I;?djbD[`lQgKI\\[DXVSA5^cQLhmmTmW1LT4N8;Sf\\=E9]_0fMJ5P2SFPVID=PfmWG<PNM>mNSRGI@>f@"
     "AeUC6HGEfMbOPH6>PARBn@:m8o22@BRblc35aod:JSY51U4bL>9Yh==o:WCNABi[@h",
     "4^A1F;[YNjU=3]Z2n?K@EHC_RZ>98WIUPN9j70RVYSk2C]iZA[C;92BR?EUR8G_ZgKa9K;SX6G?P_\\ek0hV=6@nN_"
     "Jc0bahYaUS=XDUNH:mI>m1<l?eS3alYd=ZIDoB?6PWgJeXG2c>3TV<5WbS11M",
     "037X^[;aC9@^1C6Jbead9cnHhWM<_HN]G92YF7@3i33\\IZN7UNMQdGLa[a1@Jo;_a_Qg66ef\\7j87]5R[RjaE7lE1B@"
     "d^KGOWWMY\\@m21KB@NW3341;`=kI<i2:<>?\\Y6?4edUmELP<`6535XhoEAi8jLfVDhknA",
     "020eNQ<48CO]Fl4\\VRFV0V^:aO=gN:PN9LJ7HS5U0V;@Ihc_^]@OhEiiGLdBS]RgV[\\5g3[5AK?0cC0;QnDRD;"
     "n5g6\\D\\>JHO_5cLRRFBm>4GSW1`\\Li<`d[@MVaScENUiQBSmic6[e0G6hYTDCU7ERVc7\\c=H:j"},
    {"S]h=N\\>jjYhCg^n6Za0ad?I6hO@:2GbGJoA\\JGd\\[h;^j\\_R9^QeEEN@n2k1doco:S[de6\\:6>R33PNl7SV?41:"
     "mB\\kjk;dhVnBlo4VfBPQbi\\`j^[c]85O^1LgP2@;7O[ob1XIcAb5<gB1ET`e^[aCdLclnOA_k",
     "0<X24ejB\\M?b",
     "010000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "000000000000000000000000000000000000000000000000000000000000000030i",
     "03nnO9:;WOIhg0LNbbjioN7lQbDVD5aPQP0^AV=;f8JQSlYT4P7MY1FTL2=fK98nU<EnQ:B?;0E3cXkY:i3nk=DZNg`^"
     "dM^9GYWo`VJUdA=5T?ljLmW20[GbTKQG1kQP59[`RR::`6WP6b\\41KgS[YF@b_KmSg"},
    {"LQF3L=9YZJF^IHlcoS^92i?dB;>UZSb1Cd9]bk>DncJk;D8?3hP82a2Se[:Z1N4J\\W5IAGUNPRU56["
     "f1lMJNeQOej3OG223n4IYbdGC9gf[<0AcMU7@36glV54^H:9o=FJE:Nk7nh8mG4T92D571c=5oV\\[P7e1G",
     "F_MS6YT_3>F3D5aZl7F=EF?J\\\\dakS5A:8H\\<jCkMdje98fd2_",
     "ooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooo"
     "ooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooo",
     "jEjhSj\\c6]D66AeQWGmA]To9@WY^hVI2h5OlRLUEX7o1HfeZGgZ^7cBk[0Yi8>[GBkK=XAbLYd_Pb3="
     "AVNiJVQ8PN\\X@8^kDT8EmYGdoY[Ak8DEcUd;;54lj13<Q7d9ZkCZ_c0TA]IAGHaVM_]Q_XP6D>AlMH<PX"},
    {"]=IZ>TM6VTf<fc1OgBhF2FhfZ[3A_5;I8`fGO^8ULEU787LOS:PH4FKB:7IboO82:YKk6QBPnNMo6a0lgaF2\\>"
     "ZdMm9T5DNLIMbOD3mS[h>m1F7V8Aa`cdVE8iW4Z^[1=mafn`lGX`1nHZX:7OWmN9aU>CP[1COV",
     "3eHFBIbN9JMPF^a_0TFmQ]@?b96dYZD=m=", "om", "6d"},
    {"1?3DMo=1h7Z3mclFfoBX\\[34<BdP83HVlohi`56@R?F@nkdAW1bZmej7I^f8f_@1Jd0CkbE;34h134MIB2bL_4=3G<D^"
     "[PG?U]3<GmC2S2il9XAo0aJ@WS^kjNZXU8b9>f66MRJkOKd]79[`5Cil:RJR`;dk4XOo",
     "0[Q^31`T@_TYS;>UL<c\\<CEaP@[l4bd=4CfaOC3;bGd?kgTXIX=XQZ9Pc@]kAAAL6X5X;6CU3:eV8gX4INOT8fAblJ>?"
     ";6k8c45YXjhj:goOh1RCljk@]\\N\\597Nn8<diTO;SgCVVUd=dWYU_F:8PJdKL]^WZn72",
     "m96SF<X0eeV5fIbD<9", "=n1:eEdYHA4AE<ciY;"},
    {"02JA6;\\F",
     "2_i4cdoESKikg9J;N_\\\\J7M;5MOjDY^SoS_jfWcb1bCIDnhV7HO>`ambUZ]iHOfBGCW@Z9X^n0mHkXEam9V=O42Cm]"
     "jRJ:Z79PMWWF1@TDZM<j0L=CaS7=oD?cLB03>M1XLinYdMhZ1M5HX_l^i>AAWiTIb9GmNc",
     "ooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooom",
     "LHbXTFWVh6GYTFA_F^8c04I:1KdB`He@Am4T<MQ_2;2TEj9[e97VDSVA9X3Ja7J@@A@^iWX::G;332[H"},
    {"oo0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "0000000000000000000000000000000000000000000000000000000000000000000",
     "03",
     "onooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooo"
     "ooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooooo",
     "01"},
    {"f6m0m[8illLGC7NRg@;NTZBF=Z;jO`j[C4nK1XLb;RG25JPZ1^a1[NX5MD>;3ET;\\:Q4iBF7_V]LVlleQc_PN?>gY@"
     "gcLlYC=8ShMPGYVO>4;Wo2:E@:K[4ZXOKD;mfkNXKgXT?76iZmQjQUEkKkO[oZXEDJ:?Nc",
     "08ZXQGnJ@i2?8WaIfi5U\\>iflZ`dA6j8>Qe5gP2IN4]JPH", "0;TI@T:RkM^mE6C\\`X2``8_7L2@P",
     "077o85_60mlonjO[P`XDBdbY3;[1"},
    {"F2;;MoCN;0RJjV@Y\\DTN936B]`A2FD1BN>BiSDN7nC_:A>^61bKRG?eFZBH7Jchf^b<CmE\\69Hin9_=ZQ8?h^3<]"
     "dc4j2iUUcJK6oKeXDFMVTd0fdGi4Uce8PZG>FbZB<ODG1mY5hH[28F\\2o2@M2lWDR;7?_c=P",
     "01FC9KEMehEbUf>Q:AO1XVn8ThL3P059hUVeeHa`GiNM1:m7[[gEUj7\\oll0o\\^AkYiNoPW`O>oRXO",
     "0>=g50OXibN97[812JTL93WEZh]=5K@:jjBTG_o<]G?IF13F3ZLYTKWX`DM3N[k5>@1m43CG9\\Q[W3XScNIjVgGl>"
     "DLTWl;@XG^?:[DdDM0C",
     "0:_IUKW`@n0aJcnEL:?nF6hl>]J;CleGNf_\\DSPAFR>USFU6G@]bm?mhlcBa9GPL`l5i_5WhF_RJ]l[`a00kinB4\\>"
     "VQN9?Ab;A[2mYaE4PL"},
    {"ijAS2ILoNHHV\\Lol1`ea2B25USCn?9b?:hEL7bRZbU6iS6O25Ke4So9QBNfnC5cVI\\59CWJA\\6mUEJ_n^<V1N_"
     "RnR37b=nAJc@;5hAHe?@=E7mSiX\\J>ALX4aim_5KJ];K>IOn>F>KijH5ZA<`JHXL09=9:f96Ma",
     "13453haLLEn<M?`N9nWPKeVdCY;_oMkZZ4:l6GU_M:gjmEBFV8[cnm>F<=JLT17_9F^]nJOVDY_>M^Wd",
     "9HS3P8BP?I?mC81<9MI:omcA=WRlSD1h?`X7:YSB=PKNo=nhG0gCO^TE<Mk4m=lZRgWlSX2cK`hRRB>UkhS_0PT;_"
     "mkl5HK>0oTJCdCiYU4DAKWcHechS48[c::Y:`>UK<45NT2b",
     "6H6Icg8k;TUCHg^_\\d5SWgMX_J:_>f;Yl;YRD2HGD1dg6SFe0QW7MlEM>nK4]U4RA6?6EU;5fDORQ@B1gLDM]KKiLdT@"
     "^7GXdcjf7@^Wn?m5B]8Y?]?e:iRHoVS=bZm[<VRbL@^;"},
    {"a\\TKTW2\\1ZcOL30G1<WGSH:c=IV618LI9]jofhPU[UHQNK=mP6`@]N3?ZdcZklCBdkm]0F^^Be^4BW0digonB="
     "2Vk1NEEUQNZIOcDGE:2LgUcngjFY6Fl;e[R1[Xm^2m3iM`A26>2g_ESLfdJdAX1X]J\\ni2IK\\a",
     "0\\7^XBIIM:O<UVm6aZYmE@41^16KbSbg",
     "8OM[Z4\\X1D[Ze4\\5=cT>D?cc7:SWD_gak>HEfiYT@^WWe[=gTfeCHT?CE`",
     "0d4O8Ii:eh_;o[fClVmb<<XmB<<71Q?kYWMV27akcW6M27fOjc52<4j2@1"},
    {"\\EKA[C<<5Z>37@>oVb_F`85[kPKi;R<iW<jPV5=KJT=aN;X:43S`]NVHd>kTgOVi`XkY1`LR=L:?cGm0Ll7=;"
     "87iRe8I1MFAaK;WFP[=Rn56i0V@<?U`F3nMD_T>RnbDSfnAGn8K=lXK:ObIa\\P>:lS65;9kQ4CA",
     "2boo5cmVG]ka1SO>PO`6WWYPUX?>[dTER8ETj88FQHmcc>l3",
     "0JLBjV\\fAaoN@O8Yg@JZRih2<K?QAbTCFme`XidC?LegoaNO;Bi8^FHXllBn?\\>iH5@WBSjnf4jAka<[l]h401G>"
     "1TXAB5lA5K",
     "0:QSd47RM_VoOiHP6anGa^fJdH4[c4n1>nS4:^XD1Abhe\\MECgPeE;3=5aQ7l8GnL:?]Pi>m4AiOINjJ@gHMV]nS6dR["
     "??Xa0F"},
    {"O;dOF^::mPAUm2V661RJm??GCh:o9XjP>3KXIGNmRAog\\@?O8b<N7^81EB90bjc@99Y5Q5fn<2>Y1Y8_Y;VYa;MCXNk`"
     "Pf259hW@FLKU3O;UXhHn7e9BILR`1ni=P_j\\Zf:6cCIbeZhB^0[]KJNJQcfJP7V[d=Ok",
     "FRUEe_0iAC=[eA\\H5J[g6O?mJ3Lk", "047oF?ikR^A^N3JT", "03i0l]oSSaVXXdT["},
};

TEST(LongNumberTest, ModularPowerAgreesWithAnIndependentComputation) {
    for (const PowerCase& c : kPowerCases) {
        const LongNumber result =
            modularPower(longNumberFromText(c.base), longNumberFromText(c.exponent),
                         longNumberFromText(c.modulus));
        EXPECT_EQ(longNumberToText(result), c.result) << c.base << " ^ " << c.exponent;
    }
}

// The key block rests on (g^e)^d = (g^d)^e modulo any modulus.
TEST(LongNumberTest, PowersOfPowersCommute) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<std::size_t> pairs(1, kLongNumberWords);
    for (int i = 0; i < 10; ++i) {
        const LongNumber m = longNumberFromText(randomNumberText(rng, pairs(rng)));
        const LongNumber g = longNumberFromText(randomNumberText(rng, pairs(rng)));
        const LongNumber e = longNumberFromText(randomNumberText(rng, 1 + pairs(rng) % 12));
        const LongNumber d = longNumberFromText(randomNumberText(rng, 1 + pairs(rng) % 12));
        EXPECT_EQ(modularPower(modularPower(g, e, m), d, m),
                  modularPower(modularPower(g, d, m), e, m));
    }
}

TEST(LongNumberTest, ExponentOneReducesTheBase) {
    const LongNumber base = LongNumber::fromInteger(1'000'000'007ULL * 77 + 5);
    EXPECT_EQ(modularPower(base, LongNumber::fromInteger(1), LongNumber::fromInteger(77)),
              LongNumber::fromInteger(5));
    EXPECT_THROW(modularPower(base, LongNumber::fromInteger(1), LongNumber{}), LongNumberError);
}

}  // namespace
}  // namespace vantorell::engine
