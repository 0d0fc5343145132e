#pragma once

#include <map>
#include <optional>
#include <string>

namespace lorvan::test {

// A written .xlsx read back through `unzip -p`: the first sheet's name, its cells with shared strings
// resolved, and the number format and alignment of every cell and column style.
class XlsxContents {
  public:
    struct Cell {
        bool isString = false;    // a shared string; else a number in <v>
        std::string value;        // the string, or the text of <v>
        std::string numberFormat; // format code of the cell's style; empty: General
        std::string alignment;    // horizontal alignment of the style; empty: none
    };
    struct Column {
        double width = 0.0;
        std::string numberFormat;
        std::string alignment;
    };

    explicit XlsxContents(const std::string& path);

    // One member of the archive as text; throws when unzip fails.
    static std::string part(const std::string& path, const std::string& member);

    const std::string& sheetName() const { return sheetName_; }
    // By reference ("A1", "AA2").
    std::optional<Cell> cell(const std::string& ref) const;
    const std::map<std::string, Cell>& cells() const { return cells_; }
    // By column number from 1, for the columns the sheet lists in <cols>.
    std::optional<Column> column(int number) const;

  private:
    struct Style {
        std::string numberFormat;
        std::string alignment;
    };
    Style style(int index) const;

    std::string sheetName_;
    std::map<std::string, Cell> cells_;
    std::map<int, Column> columns_;
    std::map<int, Style> styles_;
};

} // namespace lorvan::test
