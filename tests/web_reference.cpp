// The desktop's side of the web page test: the page handlers over a FieldTable,
// one press per line of JSON on stdin ({"button", "decimal", "group", "inputs"}),
// answered with every text box's text and note and the message, if any. The
// table lives for the whole run, so a failed press leaves what the page keeps.
// A line with "design" in place of "button" types its texts into the design
// window's inputs as it opens and answers with pages/design's view of them.
// With --layout: the window's labels, boxes and buttons as the page must have them.
#include "pages/field_table.h"
#include "pages/form_layout.h"
#include "pages/controls.h"
#include "pages/design.h"
#include "pages/pages.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <string>

using namespace spirelle;

nlohmann::json DesignView(const nlohmann::json &press)
{
    const auto decimal = press["decimal"].get<std::string>(), group = press["group"].get<std::string>();
    const Separators separators(decimal, group); // views of the two
    FieldTable fields = FieldTable::designWindow(separators);
    for (const auto &[box, text] : press["design"].items())
        fields.setText(box, text.get<std::string>());
    const design::View view = design::Design(fields, separators);
    nlohmann::json rows = nlohmann::json::array();
    for (const auto &cells : view.rows) {
        rows.push_back(nlohmann::json::array());
        for (const design::Cell &cell : cells)
            rows.back().push_back({cell.text, cell.whole});
    }
    return {{"good", view.good},
            {"badField", view.badField},
            {"message", view.message},
            {"verdict", view.verdict},
            {"headers", view.headers},
            {"rows", rows},
            {"copy", design::CopyText(view)}};
}

int main(int argc, char **argv)
{
    const bool layoutOnly = argc > 1 && std::string(argv[1]) == "--layout";
    nlohmann::json controls = nlohmann::json::array();
    for (int page = 0; page < layout::kPageCount; ++page)
        for (const layout::Control &control : layout::PageControls(page))
            if (control.kind != layout::Kind::Frame)
                controls.push_back({{"name", control.name},
                                    {"text", control.text},
                                    {"textBox", control.kind == layout::Kind::TextBox},
                                    {"maxLength", control.maxLength}});
    if (layoutOnly) {
        std::cout << controls.dump() << '\n';
        return 0;
    }
    FieldTable fields = FieldTable::mainWindow();
    for (std::string line; std::getline(std::cin, line);) {
        const nlohmann::json press = nlohmann::json::parse(line);
        if (press.contains("design")) {
            std::cout << DesignView(press) << std::endl;
            continue;
        }
        for (const auto &[box, text] : press["inputs"].items())
            fields.setText(box, text.get<std::string>());
        const auto button = press["button"].get<std::string>();
        const auto decimal = press["decimal"].get<std::string>(), group = press["group"].get<std::string>();
        nlohmann::json answer = {
            {"message", ""}, {"texts", nlohmann::json::object()}, {"notes", nlohmann::json::object()}};
        try {
            (button == control::kCoilButton            ? Command2_Click
                 : button == control::kFrequencyButton ? Command1_Click
                                                       : Command3_Click)(fields, Separators(decimal, group));
        } catch (const std::exception &error) {
            answer["message"] = error.what();
        }
        for (const auto &control : controls)
            if (control["textBox"]) {
                const auto name = control["name"].get<std::string>();
                answer["texts"][name] = fields.text(name);
                answer["notes"][name] = fields.note(name);
            }
        std::cout << answer.dump() << std::endl;
    }
}
