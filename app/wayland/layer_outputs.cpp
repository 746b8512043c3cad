// The compositor's outputs as a layer surface needs them: where each lies and its scale.
#include "app/wayland/layer_outputs.h"

#include "xdg_output_client.h"

#include <wayland-client.h>

void LayerOutputs::add(wl_output* proxy, std::uint32_t name) {
    static const wl_output_listener listener = {
        .geometry =
            [](void* data, wl_output* output, int32_t x, int32_t y, int32_t /*w*/, int32_t /*h*/,
               int32_t /*subpixel*/, const char* /*make*/, const char* /*model*/,
               int32_t /*transform*/) {
                if (Output* entry = static_cast<LayerOutputs*>(data)->find(output)) {
                    entry->origin = QPoint(x, y);
                }
            },
        .mode =
            [](void* data, wl_output* output, uint32_t flags, int32_t width, int32_t height,
               int32_t refresh) {
                Output* entry = static_cast<LayerOutputs*>(data)->find(output);
                if (entry != nullptr && (flags & WL_OUTPUT_MODE_CURRENT) != 0) {
                    entry->modePixels = QSize(width, height);
                    entry->refreshMilliHz = std::max(refresh, 0);
                }
            },
        .done = [](void* /*data*/, wl_output* /*output*/) {},
        .scale =
            [](void* data, wl_output* output, int32_t factor) {
                if (Output* entry = static_cast<LayerOutputs*>(data)->find(output)) {
                    entry->scale = std::max(factor, 1);
                }
            },
        .name = [](void*, wl_output*, const char*) {},
        .description = [](void*, wl_output*, const char*) {},
    };
    Output output;
    output.proxy = proxy;
    output.name = name;
    outputs_.push_back(output);
    wl_output_add_listener(proxy, &listener, this);
    describe();
}

void LayerOutputs::describe() {
    static const zxdg_output_v1_listener listener = {
        .logical_position =
            [](void* data, zxdg_output_v1* described, int32_t x, int32_t y) {
                if (Output* entry = static_cast<LayerOutputs*>(data)->find(described)) {
                    entry->logicalArea.moveTopLeft(QPoint(x, y));
                }
            },
        .logical_size =
            [](void* data, zxdg_output_v1* described, int32_t width, int32_t height) {
                if (Output* entry = static_cast<LayerOutputs*>(data)->find(described)) {
                    entry->logicalArea.setSize(QSize(width, height));
                }
            },
        .done = [](void*, zxdg_output_v1*) {},
        .name = [](void*, zxdg_output_v1*, const char*) {},
        .description = [](void*, zxdg_output_v1*, const char*) {},
    };
    if (manager_ == nullptr) {
        return;
    }
    for (Output& output : outputs_) {
        if (output.described == nullptr) {
            output.described = zxdg_output_manager_v1_get_xdg_output(manager_, output.proxy);
            zxdg_output_v1_add_listener(output.described, &listener, this);
        }
    }
}

void LayerOutputs::describeWith(zxdg_output_manager_v1* manager) {
    manager_ = manager;
    describe();
}

LayerOutputs::Output* LayerOutputs::find(wl_output* proxy) {
    for (Output& output : outputs_) {
        if (output.proxy == proxy) {
            return &output;
        }
    }
    return nullptr;
}

LayerOutputs::Output* LayerOutputs::find(zxdg_output_v1* described) {
    for (Output& output : outputs_) {
        if (output.described == described) {
            return &output;
        }
    }
    return nullptr;
}

void LayerOutputs::destroy(const Output& output) {
    if (output.described != nullptr) {
        zxdg_output_v1_destroy(output.described);
    }
    wl_output_destroy(output.proxy);
}

bool LayerOutputs::remove(std::uint32_t name) {
    return std::erase_if(outputs_, [name](const Output& output) {
               if (output.name != name) {
                   return false;
               }
               destroy(output);
               return true;
           }) > 0;
}

void LayerOutputs::clear() {
    for (const Output& output : outputs_) {
        destroy(output);
    }
    outputs_.clear();
    if (manager_ != nullptr) {
        zxdg_output_manager_v1_destroy(manager_);
        manager_ = nullptr;
    }
}

const LayerOutputs::Output* LayerOutputs::at(const QPoint& position) const {
    for (const Output& output : outputs_) {
        if (output.logical().contains(position)) {
            return &output;
        }
    }
    return outputs_.empty() ? nullptr : &outputs_.front();
}

const LayerOutputs::Output* LayerOutputs::named(std::uint32_t name) const {
    for (const Output& output : outputs_) {
        if (output.name == name) {
            return &output;
        }
    }
    return nullptr;
}
