#pragma once
// Holds one XML document of a certInfo record while it is read.

#include <map>
#include <string>

#include <pugixml.hpp>

class CXmlReader {
public:
    // 0 when the zero-terminated UTF-8 text loaded as a document, -1 otherwise.
    int Load(const char* text);

    // Child element name to text, for the first node that the expression selects;
    // a later child of the same name replaces an earlier one.
    std::map<std::string, std::string> GetChildValues(const std::string& xpath);

private:
    pugi::xml_document m_doc;
};
