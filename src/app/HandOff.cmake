# The single-instance hand-off channel, a library of its own so that its tests link it alone.
sonexa_add_layer(sonexa_handoff
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/HandOffChannel.cpp ${CMAKE_CURRENT_LIST_DIR}/HandOffChannel.h
    LINKS sonexa_platform Qt6::Network)
