#include "platform/x11/XcbSharedSegment.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>
#include <cstring>
#include <utility>

XcbSharedSegment::XcbSharedSegment(xcb_connection_t* connection, std::size_t size)
    : m_connection(connection)
    , m_size(size)
{
    const int id = shmget(IPC_PRIVATE, size, IPC_CREAT | 0600);
    if (id < 0)
        return;
    void* address = shmat(id, nullptr, 0);
    if (address != reinterpret_cast<void*>(-1)) {
        m_address = static_cast<std::uint8_t*>(address);
        m_segment = xcb_generate_id(connection);
        xcb_generic_error_t* error
            = xcb_request_check(connection, xcb_shm_attach_checked(connection, m_segment, id, 0));
        m_attached = error == nullptr;
        std::free(error);
    }
    // Marked for removal now, so it disappears even if this process dies mid-capture.
    shmctl(id, IPC_RMID, nullptr);
}

XcbSharedSegment::~XcbSharedSegment()
{
    if (m_attached)
        xcb_shm_detach(m_connection, m_segment);
    if (m_address)
        shmdt(m_address);
}

void XcbSharedSegment::touch()
{
    if (m_address)
        std::memset(m_address, 0, m_size);
}

std::uint8_t* XcbSharedSegment::releaseMapping()
{
    if (m_attached)
        xcb_shm_detach(m_connection, m_segment);
    m_attached = false;
    return std::exchange(m_address, nullptr);
}
