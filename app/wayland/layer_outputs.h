// The compositor's outputs as a layer surface needs them: where each lies and its scale.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>
#include <cstdint>
#include <vector>

struct wl_output;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;

// Kept up to date from the compositor's events, read on the surface's thread under its lock.
class LayerOutputs {
public:
    struct Output {
        wl_output* proxy = nullptr;
        zxdg_output_v1* described = nullptr;
        std::uint32_t name = 0;
        QPoint origin;
        QSize modePixels;
        // Refreshes in a thousand seconds; 0 where the compositor does not say.
        int refreshMilliHz = 0;
        int scale = 1;
        // Where the output lies among the others, from xdg-output: wlroots compositors give
        // no position with the output itself.
        QRect logicalArea;
        QRect logical() const {
            return logicalArea.isValid() ? logicalArea
                                         : QRect(origin, modePixels / std::max(scale, 1));
        }
    };

    LayerOutputs() = default;
    LayerOutputs(const LayerOutputs&) = delete;
    LayerOutputs& operator=(const LayerOutputs&) = delete;

    // An output the registry announced, under its global name.
    void add(wl_output* proxy, std::uint32_t name);
    // Forgets the output of a global the registry removed; false when it was none.
    bool remove(std::uint32_t name);
    // Where the outputs lie, asked of xdg-output from now on.
    void describeWith(zxdg_output_manager_v1* manager);
    // Lets go of every object, before the connection closes.
    void clear();

    // The output the position lies on, else the first; null with none.
    const Output* at(const QPoint& position) const;
    const Output* named(std::uint32_t name) const;
    const std::vector<Output>& list() const { return outputs_; }
    bool empty() const { return outputs_.empty(); }

private:
    Output* find(wl_output* proxy);
    Output* find(zxdg_output_v1* described);
    // Destroys the output's objects; the entry itself stays.
    static void destroy(const Output& output);
    void describe();

    std::vector<Output> outputs_;
    zxdg_output_manager_v1* manager_ = nullptr;
};
