#pragma once
// The program's string table: every text a user can see, in UTF-8, under its id (res/Ids.h).
// A format text is checked against what its caller passes when the caller is compiled: %d takes
// a whole number, %s a text, %% is a percent sign, and nothing else may follow a %.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

#include "base/Format.h"
#include "res/Ids.h"

namespace pw {

struct StrEntry {
  int id;
  std::string_view text;
};

inline constexpr StrEntry kStrings[] = {
    {ids::kVersion, "Pagewarden verze 2.1.2"},
    {ids::kCannotOpenDataFile, "Chyba: Nelze otevřít XML datový soubor!"},
    {ids::kNoCartridge,
     "Chyba: Není zvolen žádný zásobník. Pro opravu této chyby nastavte správný zásobník v "
     "dialogu Nastavení."},
    {ids::kNoPrinter,
     "Chyba: Není zvolena žádná tiskárna. Pro opravu této chyby nastavte správnou tiskárnu v "
     "dialogu Nastavení."},
    {ids::kUsage, "Náplň je vypotřebována z %d%%."},
    {ids::kWaitingForPrint, "Čekání na další tisk na tiskárně '%s'..."},
    {ids::kDetectionOn, "Pagewarden: Automatická detekce tisku je ZAPNUTA."},
    {ids::kEnterByDetails, "Informace o tisku na tiskárně '%s' vložíte pomocí dialogu Detaily."},
    {ids::kAddedByHand, "Dokument přidán ručně."},
    {ids::kCannotSaveDataFile, "Chyba: Nelze uložit data do XML datového souboru!"},
    {ids::kExportFilter, "XML soubory (*.xml)|*.xml|Všechny soubory (*.*)|*.*||"},
    {ids::kPrinted, "Tiskárna %s vytiskla %d stran.\n(%s %s)"},
    {ids::kDefaultUser, "Uživatel"},
    {ids::kDetectionOff, "Pagewarden: Automatická detekce tisku je VYPNUTA."},
    {ids::kTipEditCartridge, "Oprava parametrů zásobníku"},
    {ids::kTipNewCartridge, "Přidat nový zásobník"},
    {ids::kTipDeleteCartridge, "Vymazat tento zásobník"},
    {ids::kNoQuality,
     "Chyba: Program není schopen automaticky zjistit kvalitu tisku a proto použije "
     "přednastavenou hodnotu kvality tisku!\n\nKvalitu tisku můžete ručně nastavit v dialogu "
     "Nastavení programu."},
    {ids::kImplausiblePages,
     "Program zjistil, že počet vytištěných stran je %d což se zdá jako málo pravděpodobné. "
     "Tato chyba může být způsobena tím, že formát dat pro tiskárnu není EMF!\n\nFormát dat "
     "pro tiskárnu lze nastavit ve Vlastnostech tiskárny.\n\nChcete pokračovat s tímto počtem "
     "vytištěných stránek (uloží se do datového souboru) a podle toho zjistit stav tiskárny?"},
    {ids::kMailUrl, "mailto:pagewarden@quorbel.cz?subject=%s"},
    {ids::kHomeUrl, "https://www.quorbel.cz/"},
    {ids::kSupportUrl, "https://www.quorbel.cz/podpora/pagewarden/"},
    {ids::kWrongPassword, "Zadané přístupové heslo není správné!"},
    // The forecast of the status window and the low-supply notices.
    {ids::kForecastDate, "Při dosavadním tempu (%s) dojde náplň kolem %d. %d. %d."},
    {ids::kPaceOne, "asi %d stranu týdně"},
    {ids::kPaceFew, "asi %d strany týdně"},
    {ids::kPaceMany, "asi %d stran týdně"},
    {ids::kPaceUnderOne, "méně než 1 stranu týdně"},
    {ids::kForecastTooLittle, "Pro odhad, kdy dojde náplň, zatím není dost historie tisku."},
    {ids::kForecastUsedUp, "Náplň je podle vytištěných stran vypotřebována."},
    {ids::kForecastNoRecent,
     "Za posledních 90 dní se netisklo, konec náplně proto nelze odhadnout."},
    {ids::kForecastUndated, "Záznamy s nečitelným datem nebyly započteny: %d."},
    {ids::kChartCaption, "Vytištěno po měsících (vážené strany)"},
    {ids::kMonthJanuary, "led"},
    {ids::kMonthJanuary + 1, "úno"},
    {ids::kMonthJanuary + 2, "bře"},
    {ids::kMonthJanuary + 3, "dub"},
    {ids::kMonthJanuary + 4, "kvě"},
    {ids::kMonthJanuary + 5, "čvn"},
    {ids::kMonthJanuary + 6, "čvc"},
    {ids::kMonthJanuary + 7, "srp"},
    {ids::kMonthJanuary + 8, "zář"},
    {ids::kMonthJanuary + 9, "říj"},
    {ids::kMonthJanuary + 10, "lis"},
    {ids::kMonthJanuary + 11, "pro"},
    {ids::kForecastTitle, "Odhad spotřeby náplně"},
    {ids::kNoticeTitle, "Pagewarden"},
    {ids::kNoticeUsage, "Náplň je vypotřebována z %d%%. Je čas připravit novou náplň."},
    {ids::kNoticeInk, "Tiskárna hlásí, že dochází inkoust: %s."},
    {ids::kColumnDate, "Datum"},
    {ids::kColumnTime, "Čas"},
    {ids::kColumnBest, "Nejlepší"},
    {ids::kColumnNormal, "Normální"},
    {ids::kColumnEconomic, "Ekonomický"},
    {ids::kColumnUser, "Uživatel"},
    {ids::kColumnRemark, "Poznámka"},

    {ids::kProgramName, "Pagewarden"},
    {ids::kOk, "&OK"},
    {ids::kCancel, "&Storno"},
    {ids::kQualityBest, "Nejlepší"},
    {ids::kQualityNormal, "Normální"},
    {ids::kQualityEconomic, "Ekonomický"},
    {ids::kMaxPagesLabel, "&Max. počet stran:"},

    {ids::kMenuAbout, "O programu Pagewarden..."},
    {ids::kMenuWeb, "Quorbel na &webu"},
    {ids::kMenuHomePage, "&Domovská stránka"},
    {ids::kMenuSupport, "&Technická podpora"},
    {ids::kMenuMail, "Poslat &e-mail"},
    {ids::kMenuSettings, "Nastavení programu..."},
    {ids::kMenuDetails, "Detaily o tisku..."},
    {ids::kMenuShowStatus, "Zobrazit stav programu..."},
    {ids::kMenuExit, "Konec"},

    {ids::kStatusTitle, "Stav programu Pagewarden"},
    {ids::kStatusGroup, "Stav"},
    {ids::kStatusUsagePlaceholder, "Status"},
    {ids::kInkGroup, "Hladiny inkoustu podle tiskárny"},
    {ids::kInkNumber, "Inkoust %d"},
    {ids::kInkPercent, "%d %%"},
    {ids::kInkUnknown, "neznámá"},
    {ids::kInkLow, "%s – dochází"},
    {ids::kInkComparison,
     "Podle vytištěných stran zbývá %d %%, tiskárna hlásí %d %% (%s): rozdíl %d %%."},

    {ids::kDetailsTitle, "Detailní informace o tisku"},
    {ids::kDetailsGroup, "Statistika tisku"},
    {ids::kDetailsAdd, "&Přidat"},
    {ids::kDetailsDelete, "Sma&zat"},
    {ids::kDetailsSave, "&Uložit"},
    {ids::kDetailsExport, "E&xport"},
    {ids::kDetailsDeleteAll, "Smazat &vše"},
    {ids::kDetailsBest, "&Nejlepší:"},
    {ids::kDetailsNormal, "No&rmální:"},
    {ids::kDetailsEconomic, "&Ekonomický:"},
    {ids::kDetailsName, "&Jméno:"},
    {ids::kDetailsType, "&Typ:"},
    {ids::kDetailsMaximum, "&Maximum:"},
    {ids::kDetailsPrinter, "Tiskárna"},
    {ids::kDetailsCartridge, "Zásobník"},
    {ids::kDetailsPrinted, "Vytištěných stran"},
    {ids::kExportTitle, "Export dat"},

    {ids::kSettingsTitle, "Nastavení programu Pagewarden"},
    {ids::kSettingsGroup, "Konfigurace tiskárny"},
    {ids::kSettingsAutoMonitor, "&Automatická detekce tisku na tiskárně"},
    {ids::kSettingsAutoQuality, "Automaticky detekce \"&Kvality tisku\""},
    {ids::kSettingsPopStatus, "Zob&raz dialog stavu během tisku na tiskárně"},
    {ids::kSettingsWindowsRun, "Pr&ogram spustit automaticky"},
    {ids::kSettingsAnyone, "Vyžadovat zadání &hesla"},
    {ids::kSettingsTooltip, "&Popis ikony programu obsahuje stav  zásobníku"},
    {ids::kSettingsEmptyFlash, "&Blikání ikony programu u prázdného zásobníku"},
    {ids::kSettingsPrinter, "&Tiskárna:"},
    {ids::kSettingsCartridge, "&Zásobník:"},
    {ids::kSettingsPrinters, "Zásob&ník používají tyto tiskárny:"},
    {ids::kSettingsQuality, "Zvolte k&valitu tisku:"},
    {ids::kSettingsPassword, "Přístupové h&eslo:"},
    {ids::kPrinterUnreachable, "%s (nedostupná)"},

    {ids::kCartridgeName, "&Zásobník (typ, model):"},
    {ids::kCartridgePrinters, "&Tiskárny, které tento zásobník používají:"},
    {ids::kAddCartridgeTitle, "Přidat zásobník"},
    {ids::kAddCartridgeConfirm, "&Přidat"},
    {ids::kEditCartridgeTitle, "Oprava zásobníku"},
    {ids::kEditCartridgeConfirm, "&Opravit"},

    {ids::kAboutTitle, "O programu Pagewarden"},
    {ids::kAboutGroup, "Informace"},
    {ids::kAboutMaker, "QUORBEL\nprogramy pro kancelář i domácnost"},
    {ids::kAboutPurpose, "Program zjišťuje množství inkoustu v tiskárně."},
    {ids::kAboutCopyright, "Copyright © QUORBEL, všechna práva vyhrazena."},
    {ids::kAboutMailLabel, "e-mail:"},
    {ids::kAboutMailInvitation, "Pokud se Vám program líbí, pak nám pošlete e-mail."},

    {ids::kPasswordTitle, "Zadání přístupového hesla"},
    {ids::kPasswordLabel, "&Zadejte heslo pro přístup do programu:"},
    {ids::kPasswordCancel, "St&orno"},

    {ids::kButtonOk, "OK"},
    {ids::kButtonYes, "&Ano"},
    {ids::kButtonNo, "&Ne"},
    {ids::kFileTypeDrive, "Jednotka"},
    {ids::kFileTypeFolder, "Složka"},
    {ids::kFileTypeFile, "Soubor"},
    {ids::kFileTypeOf, "Soubor %s"},

    {ids::kLogUsage,
     "Použití: pagewarden-log usage [--cartridge NÁZEV] | list [--csv | --csv-semicolon] "
     "| catalogue | append --best N --normal N --economic N --user TEXT --remark TEXT "
     "[--file SOUBOR]\n"
     "       pagewarden-log --help | --version\n"},
    {ids::kLogHelp,
     "\n"
     "  usage        součty stran záznamu o tisku podle kvality, počet stran zásobníku a jeho\n"
     "               vypotřebovaná část v procentech\n"
     "  list         záznam o tisku, jeden tisk na řádek, oddělený tabulátory; --csv jako CSV,\n"
     "               --csv-semicolon jako CSV se středníky a značkou BOM (pro české tabulkové\n"
     "               procesory)\n"
     "  catalogue    katalog zásobníků: název, počet stran, tiskárny\n"
     "  append       přidá jeden záznam s nynějším datem a časem; počty stran jsou celá čísla\n"
     "               od 0\n"
     "  --cartridge  název zásobníku, přesně jako v katalogu (bez něj ten zvolený v Nastavení)\n"
     "  --file       datový soubor (bez něj %s)\n"
     "  --help       vypíše tuto nápovědu a skončí\n"
     "  --version    vypíše verzi a skončí\n"},
    {ids::kLogNoSuchCartridge,
     "pagewarden-log: upozornění: zásobník '%s' v katalogu není (názvy se porovnávají "
     "přesně)\n"},
    {ids::kHelp,
     "Použití: pagewarden [--help | --version]\n"
     "\n"
     "Pagewarden sleduje z oznamovací oblasti tiskovou frontu zvolené tiskárny a počítá\n"
     "vytištěné stránky podle kvality tisku. Vše ostatní se nastavuje v programu\n"
     "(Nastavení programu...).\n"
     "\n"
     "  --help     vypíše tuto nápovědu a skončí\n"
     "  --version  vypíše verzi programu a skončí\n"},
    {ids::kNoQtTranslation, "Pagewarden: překlad Qt do češtiny (qtbase_cs.qm) nebyl nalezen.\n"},
    {ids::kAlreadyRunning, "Pagewarden: program už běží, další spuštění se ukončuje.\n"},
    {ids::kNoTray,
     "Pagewarden: pracovní plocha nemá oznamovací oblast (system tray) ani po 30 s, ikona "
     "programu nemůže být zobrazena. Program se ukončuje.\n"},
};

// The text of a string id; an unknown id gives an empty text.
const std::string& loadStr(int id);

namespace strings {

// An id's text while compiling: an id without one stops the build.
consteval std::string_view textOf(int id) {
  for (const StrEntry& entry : kStrings)
    if (entry.id == id)
      return entry.text;
  throw "this id has no text in the string table";
}

// The conversion letter an argument of type T fits: 'd' for a whole number (not a bool or a
// char, which would be a slip), 's' for a text, 0 for anything else.
template <class T>
consteval char conversionFor() {
  using U = std::remove_cvref_t<T>;
  if constexpr (std::is_same_v<U, bool> || std::is_same_v<U, char>)
    return 0;
  else if constexpr (std::is_integral_v<U>)
    return std::is_signed_v<U> || sizeof(U) < sizeof(long long) ? 'd' : 0;
  else if constexpr (std::is_convertible_v<const U&, std::string_view>)
    return 's';
  else
    return 0;
}

template <class... Args>
constexpr bool fits(std::string_view format) {
  constexpr std::array<char, sizeof...(Args)> kWanted = {conversionFor<Args>()...};
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%')
      continue;
    if (++i == format.size())
      return false;
    if (format[i] == '%')
      continue;
    if (next == kWanted.size() || kWanted[next] == 0 || format[i] != kWanted[next])
      return false;
    ++next;
  }
  return next == kWanted.size();
}

// A string id whose text fits the arguments Args, checked where the id is given.
template <class... Args>
class FormatId {
 public:
  consteval FormatId(int id) : text_(textOf(id)) {  // NOLINT(google-explicit-constructor)
    if (!fits<Args...>(text_))
      throw "the text's conversions do not fit the arguments";
  }
  std::string_view text() const { return text_; }

 private:
  std::string_view text_;
};

inline std::string piece(std::string_view text) {
  return std::string(text);
}
template <class T>
requires std::is_integral_v<T> std::string piece(T n) {
  return decimal(static_cast<long long>(n));
}

// The format text with each conversion replaced by the next piece, %% by %.
std::string substitute(std::string_view format, const std::string* pieces);

}  // namespace strings

// The text of a string id with its conversions filled in from the arguments, which must fit them
// (see above): formatStr(ids::kUsage, 42) gives "Náplň je vypotřebována z 42%.".
template <class... Args>
std::string formatStr(std::type_identity_t<strings::FormatId<Args...>> id, const Args&... args) {
  const std::array<std::string, sizeof...(Args)> pieces = {strings::piece(args)...};
  return strings::substitute(id.text(), pieces.data());
}

}  // namespace pw
