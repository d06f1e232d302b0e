#include "store/xml_reader.h"

namespace {

// Compiling an XPath expression costs more than parsing a record: keep the last one compiled.
const pugi::xpath_query& CompiledQuery(const std::string& xpath)
{
    static std::string compiledExpression;
    static pugi::xpath_query compiled;
    if (!compiled || compiledExpression != xpath) {
        compiled = pugi::xpath_query(xpath.c_str());
        compiledExpression = xpath;
    }
    return compiled;
}

}  // namespace

int CXmlReader::Load(const char* text)
{
    return m_doc.load_string(text, pugi::parse_default) ? 0 : -1;
}

std::map<std::string, std::string> CXmlReader::GetChildValues(const std::string& xpath)
{
    std::map<std::string, std::string> values;
    pugi::xml_node node = m_doc.select_node(CompiledQuery(xpath)).node();
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
        values[child.name()] = child.child_value();
    return values;
}
