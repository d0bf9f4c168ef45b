#pragma once
// Data files for tests, line for line as the program writes them: the head with the catalogue,
// the log section and the trailer.

#include <fstream>
#include <string>
#include <vector>

#include "log/Records.h"

namespace pw::test {

class DataFileBuilder {
 public:
  static inline const std::string kTrailer =
      "</document>\n<!--\n<!DOCTYPE article PUBLIC \"-//Davenport//DTD DocBook V3.0//EN\" "
      "\"\">\n-->\n";

  DataFileBuilder& entry(const CartridgeEntry& e) {
    entries_ += "\t\t<cartridge>\n\t\t\t<name>" + e.name + "</name>\n\t\t\t<pages>" + e.pages +
                "</pages>\n\t\t\t<printer>" + e.printer + "</printer>\n\t\t</cartridge>\n";
    return *this;
  }
  DataFileBuilder& record(const PrintRecord& record) {
    records_.push_back(record);
    return *this;
  }

  // The document start line and the catalogue.
  std::string head() const {
    return "<document>\n\t<cartridges>\n" + entries_ + "\t</cartridges>\n";
  }
  std::string text() const { return head() + logLines(records_); }
  void writeTo(const std::string& path) const { std::ofstream(path, std::ios::binary) << text(); }

  static std::string recordLines(const PrintRecord& r) {
    return "\t\t<data>\n\t\t\t<date>" + r.date + "</date>\n\t\t\t<time>" + r.time +
           "</time>\n\t\t\t<best>" + r.best + "</best>\n\t\t\t<normal>" + r.normal +
           "</normal>\n\t\t\t<economic>" + r.economic + "</economic>\n\t\t\t<user>" + r.user +
           "</user>\n\t\t\t<remark>" + r.remark + "</remark>\n\t\t</data>\n";
  }
  // The log section and the trailer.
  static std::string logLines(const std::vector<PrintRecord>& records) {
    std::string text = "\t<printed>\n";
    for (const PrintRecord& r : records)
      text += recordLines(r);
    return text + "\t</printed>\n" + kTrailer;
  }

 private:
  std::string entries_;
  std::vector<PrintRecord> records_;
};

}  // namespace pw::test
