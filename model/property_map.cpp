// A property whose value is an ordered list of owned child properties.
#include "model/property_map.h"

#include "model/class_registry.h"
#include "model/enum_property.h"

#include <utility>

namespace {

// Every stored object needs at least its type-name count, name count and text id.
constexpr std::uint64_t kMinimumObjectSize = 12;

// Group rows are tinted halfway between the face and window colours.
std::uint32_t blendHalf(std::uint32_t first, std::uint32_t second) {
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        int a = static_cast<int>((first >> shift) & 0xFF);
        int b = static_cast<int>((second >> shift) & 0xFF);
        result |= static_cast<std::uint32_t>(a + (b - a) * 50 / 100) << shift;
    }
    return result;
}

std::string printableTypeName(const std::string& name) {
    std::string shown;
    for (unsigned char c : name.substr(0, 64)) {
        shown += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    }
    return name.size() > 64 ? shown + "..." : shown;
}

} // namespace

PropertyMap::PropertyMap(const PropertyMap& other) : Property(other), expanded_(other.expanded_) {
    children_.reserve(other.children_.size());
    for (const auto& child : other.children_) {
        append(child->clone());
    }
}

PropertyMap::~PropertyMap() {
    children_.clear();
}

bool PropertyMap::isKindOf(std::string_view typeName) const {
    return typeName == kTypeName || Property::isKindOf(typeName);
}

std::string PropertyMap::classPath() const {
    return Property::classPath() + ":" + kTypeName;
}

void PropertyMap::read(ObjectIStream& in) {
    clearChildren();
    Property::read(in);
    std::uint64_t countOffset = in.position();
    std::int32_t count = 0;
    in.read32(count);
    if (count <= 0 || !in.expectBytes(static_cast<std::uint64_t>(count), kMinimumObjectSize,
                                      "child count", countOffset)) {
        return;
    }
    if (!in.enterNested()) {
        return;
    }
    const ClassRegistry& registry = ClassRegistry::instance();
    for (std::int32_t i = 0; i < count && !in.failed(); ++i) {
        std::uint64_t typeOffset = in.position();
        std::string typeName;
        in.readString(typeName);
        if (in.failed()) {
            break;
        }
        std::unique_ptr<SerializationObject> object = registry.create(typeName);
        if (object == nullptr || !object->isKindOf("Property")) {
            in.fail("unknown type name \"" + printableTypeName(typeName) + "\"", typeOffset);
            break;
        }
        in.markRecognised();
        std::unique_ptr<Property> child(static_cast<Property*>(object.release()));
        child->read(in);
        append(std::move(child));
    }
    in.leaveNested();
}

void PropertyMap::write(ObjectOStream& out) const {
    Property::write(out);
    out.write32(static_cast<std::uint32_t>(children_.size()));
    for (const auto& child : children_) {
        out.writeString(child->className());
        child->write(out);
    }
}

OptionRow* PropertyMap::createItem(OptionTree& tree, OptionRow* parent) {
    OptionRow* row = tree.insertRow(RowKind::Plain, parent);
    setItem(row);
    if (row == nullptr) {
        return nullptr;
    }
    for (const auto& child : children_) {
        child->createItem(tree, row);
    }
    row->setLabel(valueText());
    row->setInfo(description());
    std::uint32_t tint = blendHalf(tree.faceColor(), tree.windowColor());
    row->setBackgroundColors(tint, tint);
    row->setMarked(isSelected());
    row->setExpanded(expanded_);
    return row;
}

void PropertyMap::commitItem() {
    for (const auto& child : children_) {
        child->commitItem();
    }
}

void PropertyMap::forgetItem() {
    setItem(nullptr);
    for (const auto& child : children_) {
        child->forgetItem();
    }
}

void PropertyMap::saveItemState() {
    if (item() != nullptr) {
        expanded_ = item()->isExpanded();
        setSelected(item()->isMarked());
    }
    for (const auto& child : children_) {
        child->saveItemState();
    }
}

Property* PropertyMap::findChild(std::u16string_view name) const {
    for (const auto& child : children_) {
        if (child->name() == name) {
            return child.get();
        }
    }
    return nullptr;
}

Property* PropertyMap::append(std::unique_ptr<Property> child) {
    child->setParent(this);
    children_.push_back(std::move(child));
    return children_.back().get();
}

Property* PropertyMap::insertChildAfter(const Property* anchor, std::unique_ptr<Property> child) {
    std::size_t at = indexOf(anchor);
    if (at == children_.size()) {
        return append(std::move(child));
    }
    child->setParent(this);
    return children_
        .insert(children_.begin() + static_cast<std::ptrdiff_t>(at + 1), std::move(child))
        ->get();
}

void PropertyMap::moveChildUp(const Property* child) {
    std::size_t at = indexOf(child);
    if (at == 0 || at == children_.size()) {
        return;
    }
    std::swap(children_[at - 1], children_[at]);
}

void PropertyMap::moveChildDown(const Property* child) {
    std::size_t at = indexOf(child);
    if (at + 1 >= children_.size()) {
        return;
    }
    std::swap(children_[at], children_[at + 1]);
}

std::unique_ptr<Property> PropertyMap::removeChild(const Property* child) {
    std::size_t at = indexOf(child);
    if (at == children_.size()) {
        return nullptr;
    }
    return eraseChildAt(at);
}

std::unique_ptr<Property> PropertyMap::eraseChildAt(std::size_t position) {
    if (position >= children_.size()) {
        return nullptr;
    }
    std::unique_ptr<Property> child = std::move(children_[position]);
    children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(position));
    child->setParent(nullptr);
    return child;
}

void PropertyMap::clearChildren() {
    children_.clear();
}

void PropertyMap::replaceContentsWith(PropertyMap& other) {
    clearChildren();
    assignBase(other);
    for (auto& child : other.children_) {
        append(std::move(child));
    }
    other.children_.clear();
}

void PropertyMap::reconcileWithTemplate(const ClassRegistry& registry) {
    std::unique_ptr<SerializationObject> made = registry.create(className());
    if (made == nullptr || !made->isKindOf(kTypeName)) {
        return;
    }
    const PropertyMap& model = static_cast<const PropertyMap&>(*made);
    for (std::size_t i = 0; i < children_.size();) {
        const Property& child = *children_[i];
        if (!child.isKindOf("ClockObject") && model.findChild(child.name()) == nullptr) {
            eraseChildAt(i);
            continue;
        }
        ++i;
    }
    for (const auto& wanted : model.children_) {
        if (findChild(wanted->name()) == nullptr) {
            append(wanted->clone());
        }
    }
    for (const auto& child : children_) {
        if (child->isKindOf("ClockObject")) {
            static_cast<PropertyMap*>(child.get())->reconcileWithTemplate(registry);
        }
    }
}

void PropertyMap::takeChoicesFromTemplate(const ClassRegistry& registry) {
    std::unique_ptr<SerializationObject> made = registry.create(className());
    if (made == nullptr || !made->isKindOf(kTypeName)) {
        return;
    }
    const PropertyMap& model = static_cast<const PropertyMap&>(*made);
    for (const auto& child : children_) {
        if (child->isKindOf("ClockObject")) {
            static_cast<PropertyMap*>(child.get())->takeChoicesFromTemplate(registry);
            continue;
        }
        if (std::string_view(child->className()) != IntProperty::kTypeName) {
            continue;
        }
        auto* choice = dynamic_cast<EnumProperty*>(model.findChild(child->name()));
        if (choice != nullptr) {
            choice->fillChoices();
            static_cast<IntProperty*>(child.get())->setChoices(choice->choices());
        }
    }
}

std::size_t PropertyMap::indexOf(const Property* child) const {
    for (std::size_t i = 0; i < children_.size(); ++i) {
        if (children_[i].get() == child) {
            return i;
        }
    }
    return children_.size();
}
