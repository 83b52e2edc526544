#pragma once
// Forms that load when referenced. A secondary window is reached through one accessor: the first
// reference creates the window hidden and runs its load handler; unloading runs its unload
// handler, hides it, clears the accessor at once and deletes the window later; unloading a window
// that is not loaded does nothing and never creates it. The next reference loads it afresh.
#include <QWidget>
#include <functional>

class LoadableForm : public QWidget {
    Q_OBJECT
public:
    explicit LoadableForm(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::Window);
    ~LoadableForm() override;

    // Runs Form_Unload; unless it cancels: hides the window, detaches it from its accessor and
    // deletes it later. Returns false when cancelled. Safe to call more than once.
    bool unloadForm();
    bool isUnloaded() const { return m_unloaded; }

    // The load handler, run once by the accessor right after the window is made.
    virtual void Form_Load() {}
    // The unload handler; setting cancel to a non-zero value keeps the window loaded.
    virtual void Form_Unload(int &cancel) { Q_UNUSED(cancel); }

protected:
    bool event(QEvent *event) override;
    // The close box unloads the window, as the unload statement does.
    void closeEvent(QCloseEvent *event) override;

private:
    template<class T> friend class FormOnReference;
    std::function<void()> m_detach;
    bool m_unloaded = false;
};

template<class T>
class FormOnReference {
public:
    FormOnReference() = default;
    FormOnReference(const FormOnReference &) = delete;
    FormOnReference &operator=(const FormOnReference &) = delete;

    // The window, loaded (hidden, its load handler run) when it is not loaded yet.
    T *get()
    {
        if (!m_form) {
            T *form = new T;
            m_form = form;
            static_cast<LoadableForm *>(form)->m_detach = [this, form] {
                if (m_form == form)
                    m_form = nullptr;
            };
            static_cast<LoadableForm *>(form)->Form_Load();
            return form;
        }
        return m_form;
    }
    T *operator->() { return get(); }

    // The window when loaded, else nullptr; never loads it.
    T *loaded() const { return m_form; }
    bool isLoaded() const { return m_form != nullptr; }

    // Unloads the window when loaded; does nothing otherwise.
    void unload()
    {
        if (m_form)
            static_cast<LoadableForm *>(m_form)->unloadForm();
    }

private:
    T *m_form = nullptr;
};
