#pragma once

#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <cstddef>
#include <cstdint>

// A System V shared memory segment attached to this process and to the X server (MIT-SHM),
// gone with the object unless its mapping was handed on.
class XcbSharedSegment {
public:
    XcbSharedSegment(xcb_connection_t* connection, std::size_t size);
    ~XcbSharedSegment();
    XcbSharedSegment(const XcbSharedSegment&) = delete;
    XcbSharedSegment& operator=(const XcbSharedSegment&) = delete;

    // Writes every page once, so the memory exists before the server fills it: a fresh 4K
    // segment otherwise costs the grab thousands of page faults.
    void touch();

    // Ends the server's use of the segment and hands its mapping to the caller, who unmaps it
    // with shmdt. The server has finished writing once its GetImage reply has arrived.
    [[nodiscard]] std::uint8_t* releaseMapping();

    [[nodiscard]] bool isUsable() const { return m_attached; }
    [[nodiscard]] std::size_t size() const { return m_size; }
    [[nodiscard]] xcb_shm_seg_t segment() const { return m_segment; }
    [[nodiscard]] const std::uint8_t* data() const { return m_address; }

private:
    xcb_connection_t* m_connection;
    std::size_t m_size;
    std::uint8_t* m_address = nullptr;
    xcb_shm_seg_t m_segment = 0;
    bool m_attached = false;
};
