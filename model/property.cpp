// A named, typed, storable value that can show itself as a row of the option tree.
#include "model/property.h"

Property::Property(std::u16string name, std::int32_t textId) : name_(std::move(name)) {
    setTextId(textId);
}

Property::Property(const Property& other)
    : SerializationObject(other), OptionTreeIf(other), name_(other.name_),
      sharedTexts_(other.sharedTexts_),
      ownedTexts_(other.ownedTexts_ ? std::make_unique<PropertyTexts>(*other.ownedTexts_)
                                    : nullptr),
      textId_(other.textId_) {}

void Property::assignBase(const Property& other) {
    if (&other == this) {
        return;
    }
    name_ = other.name_;
    sharedTexts_ = other.sharedTexts_;
    ownedTexts_ = other.ownedTexts_ ? std::make_unique<PropertyTexts>(*other.ownedTexts_) : nullptr;
    textId_ = other.textId_;
}

const PropertyTexts& Property::texts() const {
    static const PropertyTexts none;
    if (ownedTexts_ != nullptr) {
        return *ownedTexts_;
    }
    return sharedTexts_ != nullptr ? *sharedTexts_ : none;
}

PropertyTexts& Property::ownTexts() {
    if (ownedTexts_ == nullptr) {
        ownedTexts_ = std::make_unique<PropertyTexts>(texts());
    }
    return *ownedTexts_;
}

bool Property::isKindOf(std::string_view typeName) const {
    return typeName == "Property" || SerializationObject::isKindOf(typeName);
}

std::string Property::classPath() const {
    return SerializationObject::classPath() + ":Property";
}

void Property::setTextId(std::int32_t textId) {
    textId_ = textId;
    // With text id 0 the label stays: hands stored that way keep the label they were made with.
    if (textId_ != 0) {
        sharedTexts_ = &sharedPropertyTexts(textId_);
        ownedTexts_.reset();
    }
}

void Property::read(ObjectIStream& in) {
    in.readWString(name_);
    std::int32_t textId = 0;
    in.read32(textId);
    setTextId(textId);
}

void Property::write(ObjectOStream& out) const {
    out.writeWString(name_);
    out.write32(textId_);
}

void Property::saveItemState() {
    if (item_ != nullptr) {
        selected_ = item_->isMarked();
    }
}

OptionRow* Property::insertLabelledRow(OptionTree& tree, OptionRow* parent, RowKind kind,
                                       std::uint32_t options) const {
    OptionRow* row = tree.insertRow(kind, parent);
    if (row == nullptr || !row->createEditor(options)) {
        return nullptr;
    }
    row->setLabel(label());
    row->setInfo(description());
    return row;
}
