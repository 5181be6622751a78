#include "model/DriverVersion.h"

namespace {

// Texts as bytes of their code pages: 1252 for the Western languages, 936
// Simplified Chinese, 950 Traditional Chinese, 932 Japanese, 949 Korean, 1251
// Russian. Swedish (14) has no translation of its own and shows English, as
// every unknown index does.
constexpr std::array<StVersionMismatchMessage, kVersionMismatchLanguages> kMessages{{
    // 0 English
    {{}, "Tablet Version Mismatch", "Please reinstall the tablet software."},
    // 1 Simplified Chinese
    {{},
     "KELVO \xCA\xFD\xCE\xBB\xB0\xE5\xC7\xFD\xB6\xAF\xB3\xCC\xD0\xF2\xB0\xE6\xB1\xBE\xB2\xBB\xD2"
     "\xBB\xD6\xC2",
     "\xC7\xEB\xD6\xD8\xD0\xC2\xB0\xB2\xD7\xB0 KELVO \xCA\xFD\xCE\xBB\xB0\xE5\xC7\xFD\xB6\xAF\xB3"
     "\xCC\xD0\xF2"},
    // 2 Traditional Chinese
    {{},
     "KELVO \xBC\xC6\xA6\xEC\xAA" "O\xC5X\xB0\xCA\xB5{\xA6\xA1\xAA\xA9\xA5\xBB\xA4\xA3\xA4@\xAD"
     "P\xA1" "C",
     "\xBD\xD0\xAD\xAB\xB7s\xA6w\xB8\xCBKELVO \xBC\xC6\xA6\xEC\xAA" "O\xA6w\xB8\xCB\xB5{\xA6\xA1"},
    // 3 English
    {{}, "Tablet Version Mismatch", "Please reinstall the tablet software."},
    // 4 French
    {{}, "La version de la tablette est incompatible",
     "Veuillez r\xE9-installer le logiciel de la tablette."},
    // 5 German
    {{}, "Tablettversionen stimmen nicht \xFC" "berein",
     "Installieren Sie die Tablett-Software erneut."},
    // 6 Japanese
    {{},
     "\x83^\x83u\x83\x8C\x83" "b\x83g\x82\xCC\x83o\x81[\x83W\x83\x87\x83\x93\x82\xAA\x95s\x88"
     "\xEA\x92v",
     "\x83^\x83u\x83\x8C\x83" "b\x83g\x83h\x83\x89\x83" "C\x83o\x82\xF0\x8D\xC4\x83" "C\x83\x93"
     "\x83X\x83g\x81[\x83\x8B\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B"},
    // 7 Korean
    {{},
     "\xC5\xB8\xBA\xED\xB7\xBF \xB9\xF6\xC1\xAF\xC0\xCC \xC0\xCF\xC4\xA1\xC7\xCF\xC1\xF6 \xBE"
     "\xCA\xC0\xBD",
     "\xC5\xB8\xBA\xED\xB7\xBF \xBC\xD2\xC7\xC1\xC6\xAE\xBF\xFE\xBE\xEE\xB8\xA6 \xC0\xE7\xC0\xCE"
     "\xBD\xBA\xC5\xE7\xC7\xCF\xBF\xA9 \xC1\xD6\xBD\xCA\xBD\xC3\xBF\xE4"},
    // 8 Italian
    {{}, "Mancata corrispondenza della versione della tavoletta",
     "Reinstallare il software della tavoletta."},
    // 9 Spanish
    {{}, "No coincide la versi\xF3n de la tableta", "Vuelva a instalar el software de la tableta."},
    // 10 Portuguese
    {{}, "Incompatibilidade de vers\xE3o da mesa gr\xE1" "fica",
     "Reinstale o software da mesa gr\xE1" "fica."},
    // 11 English
    {{}, "Tablet Version Mismatch", "Please reinstall the tablet software."},
    // 12 Dutch
    {{}, "De tabletversies komen niet overeen.", "Installeer de tabletsoftware opnieuw."},
    // 13 Russian
    {{},
     "\xCD\xE5\xF1\xEE\xEE\xF2\xE2\xE5\xF2\xF1\xF2\xE2\xE8\xE5 \xE2\xE5\xF0\xF1\xE8\xE8 \xE3\xF0"
     "\xE0\xF4\xE8\xF7\xE5\xF1\xEA\xEE\xE3\xEE \xEF\xEB\xE0\xED\xF8\xE5\xF2\xE0",
     "\xCF\xE5\xF0\xE5\xF3\xF1\xF2\xE0\xED\xEE\xE2\xE8\xF2\xE5 \xEF\xF0\xEE\xE3\xF0\xE0\xEC\xEC"
     "\xED\xEE\xE5 \xEE\xE1\xE5\xF1\xEF\xE5\xF7\xE5\xED\xE8\xE5 \xE3\xF0\xE0\xF4\xE8\xF7\xE5\xF1"
     "\xEA\xEE\xE3\xEE \xEF\xEB\xE0\xED\xF8\xE5\xF2\xE0."},
    // 14 Swedish
    {{}, "Tablet Version Mismatch", "Please reinstall the tablet software."},
}};

}  // namespace

bool VersionsFit(const VersionRecord& driver, const VersionRecord& applet) {
  return driver[0] == applet[0] && driver[1] >= applet[1] && driver[2] >= applet[2];
}

const StVersionMismatchMessage& GetVersionMismatchMessage(std::uint32_t languageIndex) {
  return kMessages[languageIndex < kMessages.size() ? languageIndex : 0];
}
