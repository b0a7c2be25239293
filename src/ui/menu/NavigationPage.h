#pragma once

#include <vector>

#include "ui/composites/Page.h"

class Button;

/*
===============================================================================
NavigationPage: a small menu page of big buttons, each opening another page,
over a picture. Releasing a button publishes a type-8 ValueEvent with the
target page's id; the Menu, the page's parent, pushes that page.
===============================================================================
*/
class NavigationPage : public Page {
  public:
    struct Link {
        int textId;
        int y;
        int targetPage;
    };

    NavigationPage(int pictureId, std::vector<Link> links);

    bool build() override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    // The button that opens a page, or null when no button does.
    Button* buttonFor(int targetPage) const;

  protected:
    // Lets a subclass answer its own buttons; called for releases no link claims.
    virtual void onRelease(EventPublisher*, const Event&) {}

  private:
    struct Placed {
        Button* button;
        int targetPage;
    };

    int picture;
    std::vector<Link> links;
    std::vector<Placed> placed;
};

// The picture every small page shows, 128 x 128 at (80, 10).
void addPagePicture(Page& page, int imageId);
