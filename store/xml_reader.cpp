#include "store/xml_reader.h"

int CXmlReader::Load(const char* text)
{
    return m_doc.load_string(text, pugi::parse_default) ? 0 : -1;
}

std::map<std::string, std::string> CXmlReader::GetChildValues(const std::string& xpath)
{
    std::map<std::string, std::string> values;
    pugi::xml_node node = m_doc.select_node(xpath.c_str()).node();
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
        values[child.name()] = child.child_value();
    return values;
}
