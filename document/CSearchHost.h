#pragma once
// What the search needs from the main window: bringing the pane of a match
// to the front. The main frame implements it; the document finds it through
// the application's main window, without knowing the frame's class.

class CSearchHost {
public:
    // The values list becomes the active pane and takes the focus.
    virtual void ActivateValuesPane() = 0;
    // The key tree becomes the active pane and takes the focus.
    virtual void ActivateKeysPane() = 0;

protected:
    ~CSearchHost() = default;
};
