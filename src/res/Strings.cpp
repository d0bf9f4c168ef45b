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
      {36001, "Při dosavadním tempu (%s) dojde náplň kolem %d. %d. %d."},
      {36002, "asi %d stranu týdně"},
      {36003, "asi %d strany týdně"},
      {36004, "asi %d stran týdně"},
      {36005, "méně než 1 stranu týdně"},
      {36006, "Pro odhad, kdy dojde náplň, zatím není dost historie tisku."},
      {36007, "Náplň je podle vytištěných stran vypotřebována."},
      {36008, "Za posledních 90 dní se netisklo, konec náplně proto nelze odhadnout."},
      {36009, "Záznamy s nečitelným datem nebyly započteny: %d."},
      {36010, "Vytištěno po měsících (vážené strany)"},
      {36011, "led"},
      {36012, "úno"},
      {36013, "bře"},
      {36014, "dub"},
      {36015, "kvě"},
      {36016, "čvn"},
      {36017, "čvc"},
      {36018, "srp"},
      {36019, "zář"},
      {36020, "říj"},
      {36021, "lis"},
      {36022, "pro"},
      {36024, "Odhad spotřeby náplně"},
      {36030, "Pagewarden"},
      {36031, "Náplň je vypotřebována z %d%%. Je čas připravit novou náplň."},
      {36032, "Tiskárna hlásí, že dochází inkoust: %s."},
      {57666, "Datum"},
      {57667, "Čas"},
      {57668, "Nejlepší"},
      {57669, "Normální"},
      {57670, "Ekonomický"},
      {57671, "Uživatel"},
      {57672, "Poznámka"},
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
