#include "res/Strings.h"

#include <cstdarg>
#include <map>

namespace pw {

const std::string& LoadStr(int id) {
  static const std::map<int, std::string> table = {
      {102, "Pagewarden verze 2.1.2"},
      {32782, "Chyba: Nelze otevřít XML datový soubor!"},
      {32783,
       "Chyba: Není zvolen žádný zásobník. Pro opravu této chyby nastavte správný zásobník v "
       "dialogu Nastavení."},
      {32784,
       "Chyba: Není zvolena žádná tiskárna. Pro opravu této chyby nastavte správnou tiskárnu v "
       "dialogu Nastavení."},
      {32785, "Náplň je vypotřebována z %d%%."},
      {32787, "Čekání na další tisk na tiskárně '%s'..."},
      {32788, "Pagewarden: Automatická detekce tisku je ZAPNUTA."},
      {32789, "Informace o tisku na tiskárně '%s' vložíte pomocí dialogu Detaily."},
      {32791, "Dokument přidán ručně."},
      {32792, "Chyba: Nelze uložit data do XML datového souboru!"},
      {32793, "XML soubory (*.xml)|*.xml|Všechny soubory (*.*)|*.*||"},
      {32794, "Tiskárna %s vytiskla %d stran.\n(%s %s)"},
      {32795, "Uživatel"},
      {32796, "Pagewarden: Automatická detekce tisku je VYPNUTA."},
      {32797, "Oprava parametrů zásobníku"},
      {32798, "Přidat nový zásobník"},
      {32799, "Vymazat tento zásobník"},
      {32800,
       "Chyba: Program není schopen automaticky zjistit kvalitu tisku a proto použije "
       "přednastavenou hodnotu kvality tisku!\n\nKvalitu tisku můžete ručně nastavit v dialogu "
       "Nastavení programu."},
      {32801,
       "Program zjistil, že počet vytištěných stran je %d což se zdá jako málo pravděpodobné. "
       "Tato chyba může být způsobena tím, že formát dat pro tiskárnu není EMF!\n\nFormát dat "
       "pro tiskárnu lze nastavit ve Vlastnostech tiskárny.\n\nChcete pokračovat s tímto počtem "
       "vytištěných stránek (uloží se do datového souboru) a podle toho zjistit stav tiskárny?"},
      {35528, "mailto:pagewarden@quorbel.cz?subject=%s"},
      {35529, "https://www.quorbel.cz/"},
      {35530, "https://www.quorbel.cz/podpora/pagewarden/"},
      {35531, "Zadané přístupové heslo není správné!"},
      {57666, "Datum"},
      {57667, "Čas"},
      {57668, "Nejlepší"},
      {57669, "Normální"},
      {57670, "Ekonomický"},
      {57671, "Uživatel"},
      {57672, "Poznámka"},
      {61000,
       "Použití: pagewarden [--help | --version]\n"
       "\n"
       "Pagewarden sleduje z oznamovací oblasti tiskovou frontu zvolené tiskárny a počítá\n"
       "vytištěné stránky podle kvality tisku. Vše ostatní se nastavuje v programu\n"
       "(Nastavení programu...).\n"
       "\n"
       "  --help     vypíše tuto nápovědu a skončí\n"
       "  --version  vypíše verzi programu a skončí\n"},
      {61001,
       "Použití: pagewarden-log usage [--cartridge NÁZEV] | list [--csv | --csv-semicolon] "
       "| catalogue | append --best N --normal N --economic N --user TEXT --remark TEXT "
       "[--file SOUBOR]\n"
       "       pagewarden-log --help | --version\n"},
      {61002,
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
      {61003,
       "pagewarden-log: upozornění: zásobník '%s' v katalogu není (názvy se porovnávají "
       "přesně)\n"},
  };
  static const std::string empty;
  const auto it = table.find(id);
  return it == table.end() ? empty : it->second;
}

std::string FormatStr(int id, ...) {
  va_list args;
  va_start(args, id);
  std::string text = VFormat(LoadStr(id).c_str(), args);
  va_end(args);
  return text;
}

}  // namespace pw
