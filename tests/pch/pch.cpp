// anchors the precompiled header shared by the tests
