#pragma once
// The resources an executable carries: dialog templates in dialog units, strings and icons,
// found by id. The executable hands its table to the framework once, at start-up.

#include <span>
#include <string>
#include <string_view>

namespace framework {

enum class ControlKind { Static, Icon, PushButton, Edit, ListBox };

// Styles of a control or dialog; plain bits, combined with |. A template states every style its
// controls have; some (kMultiline, kAutoHScroll, kNoIntegralHeight, kModalFrame) describe what
// the Qt widget does anyway.
enum ControlStyle : unsigned {
    kCentered = 1u << 0,          // static: text centred horizontally
    kMultiline = 1u << 1,         // push button: the text may hold line feeds
    kTabStop = 1u << 2,
    kBorder = 1u << 3,
    kAutoHScroll = 1u << 4,       // edit: scrolls horizontally as text is typed
    kVScroll = 1u << 5,           // list box: vertical scroll bar when needed
    kSorted = 1u << 6,            // list box: keeps its lines in ascending order
    kNotify = 1u << 7,            // list box: tells its parent of selection changes
    kNoIntegralHeight = 1u << 8,  // list box: keeps its height even when a line is cut off
    kDefaultButton = 1u << 9,     // push button: Enter clicks it wherever the focus is
};

enum DialogStyle : unsigned {
    kVisible = 1u << 0,
    kCaption = 1u << 1,
    kSystemMenu = 1u << 2,
    kSizingBorder = 1u << 3,  // the user may resize the window; controls keep their places
    kModalFrame = 1u << 4,
    kAppWindow = 1u << 5,     // a window of its own in the task bar
};

// Positions and sizes in dialog units: a quarter of the font's average character width,
// an eighth of its height.
struct ControlTemplate {
    ControlKind kind;
    int id;  // -1 for a control that is never addressed
    std::string_view text;
    unsigned style;
    int x, y, width, height;
    std::string_view objectName;      // how tests and tools find the widget
    std::string_view accessibleName;  // what a screen reader announces
};

struct DialogTemplate {
    int id;
    std::string_view caption;
    unsigned style;
    int pointSize;  // in the platform's default face
    int width, height;
    std::span<const ControlTemplate> controls;  // template order is tab order
};

struct StringResource {
    int id;
    std::string_view text;
};

// One icon in several sizes: paths in the executable's embedded Qt resources.
struct IconResource {
    int id;
    std::span<const std::string_view> imagePaths;
};

struct ResourceModule {
    std::span<const DialogTemplate> dialogs;
    std::span<const StringResource> strings;
    std::span<const IconResource> icons;
};

// Put in place by the program's entry point (or a test) before any dialog is made.
void SetResourceModule(const ResourceModule& module);

const DialogTemplate* FindDialogTemplate(int id);
const IconResource* FindIconResource(int id);
// Empty when there is no such string.
std::string LoadStringResource(int id);

// An icon of the resources, by id; empty when it is missing.
class Icon {
public:
    Icon() = default;
    static Icon Load(int resourceId);
    int ResourceId() const { return resourceId_; }

private:
    explicit Icon(int resourceId) : resourceId_(resourceId) {}
    int resourceId_ = -1;
};

}  // namespace framework
